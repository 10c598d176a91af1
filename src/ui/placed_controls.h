// Controls placed at fixed pixel positions inside their boxes, as the
// window's form lays them out.
#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace ui {

QLabel* label(QWidget* parent, const char* name, const QString& text, int x, int y);
QLineEdit* edit(QWidget* parent, const char* name, const QString& text, int x, int y, int w);
// A value label: right-aligned in a fixed width, empty until evaluated.
QLabel* value_label(QWidget* parent, const char* name, int x, int y, int w);
QWidget* panel(QWidget* parent, const char* name);
// An editable combo box whose text is searched for as typed.
QComboBox* combo(QWidget* parent, const char* name, const QStringList& items, int x, int y, int w);

// The least size of a panel whose children sit at fixed positions: the laid
// out size, grown where our fonts make a child reach further.
void fit_to_children(QWidget* w, QSize least, int margin = 2);

} // namespace ui

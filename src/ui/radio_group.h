#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;

namespace ui {

// A captioned group of radio buttons addressed by item index; a click on an
// item emits `itemClicked` after the selection changed.
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString& name, const QString& caption, const QStringList& items, int columns,
               QWidget* parent);

    int itemIndex() const;
    void setItemIndex(int index);
    int count() const;

signals:
    void itemClicked(int index);

private:
    QButtonGroup* buttons_;
};

} // namespace ui

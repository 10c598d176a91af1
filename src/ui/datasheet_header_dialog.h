#pragma once

#include "ui/datasheet_content.h"

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace ui {

// Asks for the datasheet's header: 件名, 部品番号, 担当 and メモ, each of
// which may stay empty, and the sheet's language (言語). OK accepts, Cancel
// (or Esc) rejects.
class DatasheetHeaderDialog : public QDialog {
    Q_OBJECT
public:
    DatasheetHeaderDialog(const DatasheetHeader& start, QWidget* parent);

    DatasheetHeader header() const;

private:
    QLineEdit* subject_;
    QLineEdit* part_number_;
    QLineEdit* person_;
    QLineEdit* memo_;
    QComboBox* language_;
};

} // namespace ui

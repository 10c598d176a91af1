#include "ui/datasheet_header_dialog.h"

#include "ui/sheet_language.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace ui {
namespace {

QLineEdit* entry(QWidget* parent, const char* name, const QString& text) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QLatin1String(name));
    edit->setMinimumWidth(280);
    return edit;
}

} // namespace

DatasheetHeaderDialog::DatasheetHeaderDialog(const DatasheetHeader& start, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("Form_datasheetheader"));
    setWindowTitle(QStringLiteral("データシートの見出し"));
    subject_ = entry(this, "Edit_subject", start.subject);
    part_number_ = entry(this, "Edit_partno", start.part_number);
    person_ = entry(this, "Edit_person", start.person);
    memo_ = entry(this, "Edit_memo", start.memo);
    language_ = new QComboBox(this);
    language_->setObjectName(QStringLiteral("ComboBox_sheetlanguage"));
    for (const SheetLanguage& l : sheet_languages())
        language_->addItem(l.name, l.code);
    language_->setCurrentIndex(std::max(0, language_->findData(start.language)));

    auto* note = new QLabel(
        QStringLiteral("データシートの上端に載せる項目です。空欄のままでもかまいません。"), this);
    note->setWordWrap(true);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("件名(&S):"), subject_);
    form->addRow(QStringLiteral("部品番号(&N):"), part_number_);
    form->addRow(QStringLiteral("担当(&P):"), person_);
    form->addRow(QStringLiteral("メモ(&M):"), memo_);
    form->addRow(QStringLiteral("言語(&L):"), language_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("BitBtn_ok"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("BitBtn_cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* column = new QVBoxLayout(this);
    column->addWidget(note);
    column->addLayout(form);
    column->addWidget(buttons);
}

DatasheetHeader DatasheetHeaderDialog::header() const {
    return {subject_->text(), part_number_->text(), person_->text(), memo_->text(),
            language_->currentData().toString()};
}

} // namespace ui

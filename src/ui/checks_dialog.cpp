#include "ui/checks_dialog.h"

#include "core/catalogue/number_format.h"
#include "core/catalogue/number_parse.h"
#include "ui/qt_text.h"
#include "ui/radio_group.h"
#include "ui/verdict_report.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>
#include <cmath>
#include <optional>

namespace ui {

namespace {

constexpr double kToleranceLimit = 50; // percent; a band this wide says nothing

int seating_item(double nu) {
    const std::vector<Seating>& all = seatings();
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i].nu == nu)
            return static_cast<int>(i);
    }
    return static_cast<int>(all.size()) - 1;
}

QStringList seating_texts() {
    QStringList texts;
    for (const Seating& s : seatings())
        texts << s.text;
    return texts;
}

// The tolerance in percent, or why it cannot be used.
struct ToleranceRead {
    std::optional<double> percent;
    QString problem;
};

ToleranceRead read_tolerance(const QString& text) {
    const std::optional<double> v = parse_decimal(utf8(text.trimmed()));
    if (!v || !std::isfinite(*v))
        return {std::nullopt, QStringLiteral("荷重公差が数値として読めません")};
    if (*v < 0)
        return {std::nullopt, QStringLiteral("荷重公差は 0 以上にしてください")};
    if (*v >= kToleranceLimit)
        return {std::nullopt, QStringLiteral("荷重公差は 50 % 未満にしてください")};
    return {v, {}};
}

} // namespace

TForm_checks::TForm_checks(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form_checks"));
    setWindowTitle(QStringLiteral("判定条件"));

    RadioGroup_seating = new RadioGroup(QStringLiteral("RadioGroup_seating"),
                                        QStringLiteral("座屈の座り"), seating_texts(), 1, this);
    RadioGroup_ends = new RadioGroup(QStringLiteral("RadioGroup_ends"), QStringLiteral("端部"),
                                     {QStringLiteral("研削"), QStringLiteral("非研削")}, 2, this);
    RadioGroup_loading =
        new RadioGroup(QStringLiteral("RadioGroup_loading"), QStringLiteral("負荷"),
                       {QStringLiteral("静的"), QStringLiteral("動的")}, 2, this);

    auto* tolerance_title = new QLabel(QStringLiteral("荷重公差 (±%):"), this);
    Edit_loadtolerance = new QLineEdit(this);
    Edit_loadtolerance->setObjectName(QStringLiteral("Edit_loadtolerance"));
    Edit_loadtolerance->setToolTip(QStringLiteral("0 で公差なし"));
    tolerance_title->setBuddy(Edit_loadtolerance);
    Label_loadtoleranceerror = new QLabel(this);
    Label_loadtoleranceerror->setObjectName(QStringLiteral("Label_loadtoleranceerror"));
    Label_loadtoleranceerror->setStyleSheet(QStringLiteral("color: red"));

    CheckBox_tolerancesearch = new QCheckBox(QStringLiteral("許容差込みで検索"), this);
    CheckBox_tolerancesearch->setObjectName(QStringLiteral("CheckBox_tolerancesearch"));
    CheckBox_passonly = new QCheckBox(QStringLiteral("不可のバネを表示しない"), this);
    CheckBox_passonly->setObjectName(QStringLiteral("CheckBox_passonly"));

    BitBtn_checksok = new QPushButton(QStringLiteral("OK"), this);
    BitBtn_checksok->setObjectName(QStringLiteral("BitBtn_checksok"));
    BitBtn_checksok->setDefault(true);
    BitBtn_checkscancel = new QPushButton(QStringLiteral("キャンセル"), this);
    BitBtn_checkscancel->setObjectName(QStringLiteral("BitBtn_checkscancel"));

    auto* tolerance = new QHBoxLayout;
    tolerance->addWidget(tolerance_title);
    tolerance->addWidget(Edit_loadtolerance);
    tolerance->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn_checksok);
    buttons->addWidget(BitBtn_checkscancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(RadioGroup_seating);
    auto* row = new QHBoxLayout;
    row->addWidget(RadioGroup_ends);
    row->addWidget(RadioGroup_loading);
    layout->addLayout(row);
    layout->addLayout(tolerance);
    layout->addWidget(Label_loadtoleranceerror);
    layout->addWidget(CheckBox_tolerancesearch);
    layout->addWidget(CheckBox_passonly);
    layout->addLayout(buttons);

    connect(Edit_loadtolerance, &QLineEdit::textChanged, this, &TForm_checks::validate);
    connect(BitBtn_checksok, &QPushButton::clicked, this, &TForm_checks::accept);
    connect(BitBtn_checkscancel, &QPushButton::clicked, this, &QDialog::reject);
    showChoices();
}

int TForm_checks::exec() {
    showChoices();
    return QDialog::exec();
}

void TForm_checks::showChoices() {
    const spring_checks::CheckConditions& c = choices_.conditions;
    RadioGroup_seating->setItemIndex(seating_item(c.nu));
    RadioGroup_ends->setItemIndex(c.ends == spring_checks::Ends::Ground ? 0 : 1);
    RadioGroup_loading->setItemIndex(c.loading == spring_checks::Loading::Static ? 0 : 1);
    Edit_loadtolerance->setText(QString::fromStdString(numfmt::general15(c.load_tolerance * 100)));
    CheckBox_tolerancesearch->setChecked(choices_.tolerance_search);
    CheckBox_passonly->setChecked(choices_.pass_only);
    validate();
}

void TForm_checks::validate() {
    const ToleranceRead read = read_tolerance(Edit_loadtolerance->text());
    Label_loadtoleranceerror->setText(read.problem);
    BitBtn_checksok->setEnabled(read.percent.has_value());
}

void TForm_checks::accept() {
    const ToleranceRead read = read_tolerance(Edit_loadtolerance->text());
    if (!read.percent)
        return;
    spring_checks::CheckConditions& c = choices_.conditions;
    c.nu = seatings()[static_cast<std::size_t>(RadioGroup_seating->itemIndex())].nu;
    c.ends = RadioGroup_ends->itemIndex() == 0 ? spring_checks::Ends::Ground
                                               : spring_checks::Ends::Unground;
    c.loading = RadioGroup_loading->itemIndex() == 0 ? spring_checks::Loading::Static
                                                     : spring_checks::Loading::Dynamic;
    c.load_tolerance = *read.percent / 100;
    choices_.tolerance_search = CheckBox_tolerancesearch->isChecked();
    choices_.pass_only = CheckBox_passonly->isChecked();
    QDialog::accept();
    emit choicesChanged(choices_);
}

} // namespace ui

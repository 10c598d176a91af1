#include "ui/checks_dialog.h"

#include "core/catalogue/number_format.h"
#include "core/catalogue/number_parse.h"
#include "ui/qt_text.h"
#include "ui/radio_group.h"
#include "ui/verdict_report.h"

#include <QCheckBox>
#include <QComboBox>
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

    // "数値指定" keeps the percentage below; a grade takes its place.
    auto* grade_title = new QLabel(QStringLiteral("公差等級:"), this);
    ComboBox_loadgrade = new QComboBox(this);
    ComboBox_loadgrade->setObjectName(QStringLiteral("ComboBox_loadgrade"));
    ComboBox_loadgrade->addItems({QStringLiteral("数値指定"), QStringLiteral("JIS B 2704 1級"),
                                  QStringLiteral("JIS B 2704 2級"),
                                  QStringLiteral("JIS B 2704 3級")});
    ComboBox_loadgrade->setToolTip(
        QStringLiteral("等級では荷重の公差を有効巻数 (引張ばねは初張力も) から、コイル径の公差を"
                       "ばね指数から求めます"));
    grade_title->setBuddy(ComboBox_loadgrade);
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
    tolerance->addWidget(grade_title);
    tolerance->addWidget(ComboBox_loadgrade);
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
    connect(ComboBox_loadgrade, &QComboBox::currentIndexChanged, this, &TForm_checks::validate);
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
    ComboBox_loadgrade->setCurrentIndex(c.jis_grade.value_or(0));
    CheckBox_tolerancesearch->setChecked(choices_.tolerance_search);
    CheckBox_passonly->setChecked(choices_.pass_only);
    validate();
}

void TForm_checks::validate() {
    // With a grade the percentage is not used, and what it holds cannot stop OK.
    const bool graded = ComboBox_loadgrade->currentIndex() > 0;
    Edit_loadtolerance->setEnabled(!graded);
    const ToleranceRead read = read_tolerance(Edit_loadtolerance->text());
    Label_loadtoleranceerror->setText(graded ? QString() : read.problem);
    BitBtn_checksok->setEnabled(graded || read.percent.has_value());
}

void TForm_checks::accept() {
    const int grade = ComboBox_loadgrade->currentIndex();
    const ToleranceRead read = read_tolerance(Edit_loadtolerance->text());
    if (grade == 0 && !read.percent)
        return;
    spring_checks::CheckConditions& c = choices_.conditions;
    c.nu = seatings()[static_cast<std::size_t>(RadioGroup_seating->itemIndex())].nu;
    c.ends = RadioGroup_ends->itemIndex() == 0 ? spring_checks::Ends::Ground
                                               : spring_checks::Ends::Unground;
    c.loading = RadioGroup_loading->itemIndex() == 0 ? spring_checks::Loading::Static
                                                     : spring_checks::Loading::Dynamic;
    // A percentage set aside for a grade is kept for when the grade goes again.
    if (read.percent)
        c.load_tolerance = *read.percent / 100;
    c.jis_grade = grade > 0 ? std::optional(grade) : std::nullopt;
    choices_.tolerance_search = CheckBox_tolerancesearch->isChecked();
    choices_.pass_only = CheckBox_passonly->isChecked();
    QDialog::accept();
    emit choicesChanged(choices_);
}

} // namespace ui

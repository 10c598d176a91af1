#include "ui/cycle_dialog.h"

#include "core/strength/float_error.h"

#include "core/catalogue/number_parse.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include <cmath>

namespace {

constexpr int kDaysPerMonth[3] = {20, 25, 30};

// Throws EConvertError for text that is not a number.
double number_in(const QLineEdit* edit) {
    const QByteArray text = edit->text().toUtf8();
    return to_decimal(std::string_view(text.constData(), text.size()));
}

} // namespace

TForm_cycle::TForm_cycle(QWidget* parent) : QDialog(parent) {
    // A new dialog is a new start: no result yet.
    cycle::cycle_result.clear();

    setObjectName(QStringLiteral("Form_cycle"));
    setWindowTitle(QStringLiteral("寿命回数計算"));
    QFont dialog_font(QStringLiteral("ＭＳ Ｐゴシック"));
    dialog_font.setPixelSize(12);
    setFont(dialog_font);

    GroupBox_cycleparameter = new QGroupBox(QStringLiteral("繰返し条件"), this);
    GroupBox_cycleparameter->setObjectName(QStringLiteral("GroupBox_cycleparameter"));

    const auto make_label = [this](const char* name, const QString& caption) {
        auto* label = new QLabel(caption, GroupBox_cycleparameter);
        label->setObjectName(QLatin1String(name));
        return label;
    };
    const auto make_edit = [this](const char* name, const QString& text) {
        auto* edit = new QLineEdit(text, GroupBox_cycleparameter);
        edit->setObjectName(QLatin1String(name));
        edit->setFixedWidth(64);
        return edit;
    };
    Label_pt = make_label("Label_pt", QStringLiteral("ピッチタイム(sec)"));
    Edit_pt = make_edit("Edit_pt", QStringLiteral("0.2"));
    Label_kai = make_label("Label_kai", QStringLiteral("1サイクル動作回数 (回/cycle)"));
    Label_kai->setWordWrap(true);
    // Break at the blank, keeping the unit "(回/cycle)" together on line two.
    Label_kai->setFixedWidth(
        Label_kai->fontMetrics().horizontalAdvance(QStringLiteral("1サイクル動作回数 (")) + 2);
    // The grid asks a wrapped label for its height at the column's width, not
    // at its own fixed one; the two lines are its least height.
    Label_kai->setMinimumHeight(Label_kai->heightForWidth(Label_kai->width()));
    Edit_kai = make_edit("Edit_kai", QStringLiteral("1"));
    Label_kadou = make_label("Label_kadou", QStringLiteral("稼働率 (%)"));
    Edit_kadou = make_edit("Edit_kadou", QStringLiteral("80"));
    Label_time = make_label("Label_time", QStringLiteral("稼働時間(分)"));
    Edit_time = make_edit("Edit_time", QStringLiteral("480"));

    RadioGroup_taisei = new QGroupBox(QStringLiteral("勤務体制"), GroupBox_cycleparameter);
    RadioGroup_taisei->setObjectName(QStringLiteral("RadioGroup_taisei"));
    auto* taisei_layout = new QHBoxLayout(RadioGroup_taisei);
    // Room between the three items; the dialog grows to hold them.
    taisei_layout->setContentsMargins(3, 0, 3, 0);
    taisei_layout->setSpacing(6);
    const QString taisei_captions[3] = {QStringLiteral("20日/月"), QStringLiteral("25日/月"),
                                        QStringLiteral("30日/月")};
    for (int i = 0; i < 3; ++i) {
        taisei_items[i] = new QRadioButton(taisei_captions[i], RadioGroup_taisei);
        taisei_layout->addWidget(taisei_items[i], 1);
    }
    taisei_items[0]->setChecked(true);

    Label_taiou = make_label("Label_taiou", QStringLiteral("耐用年数(年)"));
    Edit_tayou = make_edit("Edit_tayou", QStringLiteral("5"));

    auto* grid = new QGridLayout(GroupBox_cycleparameter);
    grid->setContentsMargins(1, 2, 1, 4);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(3);
    grid->setColumnStretch(0, 1);
    grid->addWidget(Label_pt, 0, 0);
    grid->addWidget(Edit_pt, 0, 1);
    // Aligned, so that its fixed width does not narrow the whole column.
    grid->addWidget(Label_kai, 1, 0, Qt::AlignLeft | Qt::AlignVCenter);
    grid->addWidget(Edit_kai, 1, 1);
    grid->addWidget(Label_kadou, 2, 0);
    grid->addWidget(Edit_kadou, 2, 1);
    grid->addWidget(Label_time, 3, 0);
    grid->addWidget(Edit_time, 3, 1);
    grid->addWidget(RadioGroup_taisei, 4, 0, 1, 2);
    grid->addWidget(Label_taiou, 5, 0);
    grid->addWidget(Edit_tayou, 5, 1);

    BitBtn_ok = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                                QStringLiteral("OK"), this);
    BitBtn_ok->setObjectName(QStringLiteral("BitBtn_ok"));
    BitBtn_ok->setFixedSize(105, 25);
    BitBtn_cancel = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                                    QStringLiteral("キャンセル"), this);
    BitBtn_cancel->setObjectName(QStringLiteral("BitBtn_cancel"));
    BitBtn_cancel->setFixedSize(89, 25);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn_ok);
    buttons->addStretch(1);
    buttons->addWidget(BitBtn_cancel);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 6);
    outer->setSpacing(0);
    outer->addWidget(GroupBox_cycleparameter);
    outer->addStretch(1);
    outer->addLayout(buttons);

    // 200 px high and 209 x 266 at least, larger where the fonts need it.
    GroupBox_cycleparameter->setFixedHeight(
        std::max(200, GroupBox_cycleparameter->sizeHint().height()));
    resize(QSize(209, 266).expandedTo(sizeHint()));

    // OK stays disabled until the first result, and is the default button
    // (Enter) only while it is enabled.
    set_ok_enabled(false);
    connect(BitBtn_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn_cancel, &QPushButton::clicked, this, &QDialog::reject);

    // textChanged, not textEdited: a text set by the program is a change too.
    for (QLineEdit* edit : {Edit_pt, Edit_kai, Edit_kadou, Edit_time, Edit_tayou})
        connect(edit, &QLineEdit::textChanged, this, &TForm_cycle::calc_cycle);
    for (QRadioButton* item : taisei_items) {
        // Any click counts, also one on the item already selected.
        connect(item, &QRadioButton::clicked, this, &TForm_cycle::calc_cycle);
        // A selection made by the program recomputes as a click does.
        connect(item, &QRadioButton::toggled, this, [this](bool checked) {
            if (checked)
                calc_cycle();
        });
    }
}

int TForm_cycle::working_days() const {
    for (int i = 0; i < 3; ++i)
        if (taisei_items[i]->isChecked())
            return kDaysPerMonth[i];
    // The items are exclusive and one is checked from the start.
    return kDaysPerMonth[0];
}

void TForm_cycle::show_no_result() {
    // No figure stands for entries that give none: the button reads as at
    // the start, disabled. The last result itself is kept for the window.
    BitBtn_ok->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    BitBtn_ok->setText(QStringLiteral("OK"));
    set_ok_enabled(false);
}

void TForm_cycle::set_ok_enabled(bool enabled) {
    BitBtn_ok->setEnabled(enabled);
    BitBtn_ok->setDefault(enabled);
}

void TForm_cycle::setVisible(bool visible) {
    QDialog::setVisible(visible);
    // Shown without a default button, QDialog makes the next button in the
    // focus chain the default; while OK is disabled there must be none.
    if (visible && !BitBtn_ok->isEnabled()) {
        BitBtn_ok->setDefault(false);
        BitBtn_cancel->setDefault(false);
    }
}

void TForm_cycle::calc_cycle() {
    // Runs from signals; a count that does not read or compute disables OK
    // and shows nothing.
    try {
        const double pt = number_in(Edit_pt);
        const double n = number_in(Edit_kai);
        const double kadou = number_in(Edit_kadou);
        const double t = number_in(Edit_time);
        const int days = working_days();
        const double years = number_in(Edit_tayou);
        const std::string text =
            cycle::format_cycle_result(cycle::cycle_count(pt, n, kadou, t, days, years));
        cycle::cycle_result = text;
        result_ = text;
        // Operations per machine cycle over its pitch time: how fast the spring is driven.
        const double f = n / pt;
        excitation_ = std::isfinite(f) && f > 0 ? std::optional(f) : std::nullopt;
        // The glyph goes with the first result: the button needs all its
        // width for the figure.
        BitBtn_ok->setIcon(QIcon());
        BitBtn_ok->setText(QStringLiteral("寿命") + QString::fromStdString(text) +
                           QStringLiteral("回"));
        set_ok_enabled(true);
    } catch (const EConvertError&) {
        show_no_result();
    } catch (const float_error::EFloatError&) {
        show_no_result();
    }
}

std::optional<QString> TForm_cycle::askCycles() {
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return QString::fromStdString(result_);
}

void TForm_cycle::showEvent(QShowEvent* event) {
    // Centred on the screen at every showing, whatever the parent.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    QDialog::showEvent(event);
}

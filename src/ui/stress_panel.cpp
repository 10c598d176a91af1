#include "ui/stress_panel.h"

#include "chart/chart.h"
#include "ui/dynamictau_chart.h"
#include "ui/placed_controls.h"
#include "ui/qt_text.h"
#include "ui/radio_group.h"
#include "ui/splitter_bar.h"
#include "ui/statictau_chart.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace ui {

namespace {

constexpr int kDefaultWidth = 783; // the whole window's width at its default size
constexpr int kLeastFatigueWidth = 250;

} // namespace

StressPanel::StressPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Paneltau"));
    setFixedHeight(200);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    static_chart_ = make_statictau_chart(this);
    static_chart_->setFixedWidth(345);
    static_splitter_ = new SplitterBar(SplitterBar::Target::LeftNeighbour, static_chart_, this);
    static_splitter_->setObjectName(QStringLiteral("Splitter_dstau"));
    static_splitter_->hide();

    dynamic_panel_ = panel(this, "Panel_dynamictau");
    auto* dyn = new QHBoxLayout(dynamic_panel_);
    dyn->setContentsMargins(0, 0, 0, 0);
    dyn->setSpacing(0);
    dyn->addWidget(buildParameters());
    fatigue_chart_ = make_dynamictau_chart(dynamic_panel_);
    // Narrower, its axes' numbers would no longer read.
    fatigue_chart_->setMinimumWidth(kLeastFatigueWidth);
    dyn->addWidget(fatigue_chart_, 1);

    row->addWidget(static_chart_);
    row->addWidget(static_splitter_);
    row->addWidget(dynamic_panel_, 1);
    // Takes the room of the fatigue diagram's panel when that is hidden, so
    // that the static chart keeps its width.
    row->addStretch(0);

    connect(link_, &QCheckBox::clicked, this, &StressPanel::linkClicked);
    connect(calculation_, &RadioGroup::itemClicked, this, &StressPanel::calculationClicked);
    for (QLineEdit* e : {range_min_, range_max_})
        connect(e, &QLineEdit::textChanged, this,
                [this] { emit operatingRangeChanged(operatingRange()); });
    connect(range_min_, &QLineEdit::textChanged, this,
            [this] { emit minimumChanged(range_min_->isModified()); });
    connect(calculation_, &RadioGroup::itemClicked, this,
            [this] { emit operatingRangeChanged(operatingRange()); });
    connect(cycles_, &QLineEdit::textChanged, this, [this] { emit cyclesChanged(cycles()); });
    connect(cycle_button_, &QPushButton::clicked, this, &StressPanel::cycleButtonClicked);
}

void StressPanel::setPreferredHeight(int height) {
    preferred_height_ = height;
    updateGeometry();
}

QSize StressPanel::sizeHint() const {
    // As wide as at the window's default size; what stands beside it gives way first.
    return {kDefaultWidth, preferred_height_ > 0 ? preferred_height_ : minimumHeight()};
}

QWidget* StressPanel::buildParameters() {
    QWidget* p = panel(this, "Panel_dparameter");
    p->setFixedWidth(143);

    QLabel* heading = label(p, "Label32", QStringLiteral("動荷重計算条件"), 4, 4);
    QFont big = heading->font();
    big.setPixelSize(15);
    heading->setFont(big);
    heading->adjustSize();

    QWidget* link_panel = panel(p, "Panel_checklink");
    link_panel->setGeometry(2, 24, 139, 20);
    link_ = new QCheckBox(QStringLiteral("検索条件とのリンク"), link_panel);
    link_->setObjectName(QStringLiteral("CheckBox_link"));
    link_->setChecked(true);
    link_->setGeometry(2, 0, 137, 20);

    calculation_ =
        new RadioGroup(QStringLiteral("RadioGroup_dyncalcst"), QStringLiteral("計算条件"),
                       {QStringLiteral("バネ長"), QStringLiteral("荷重")}, 2, p);
    calculation_->setItemIndex(0);
    calculation_->setGeometry(2, 46, 139, 40);

    label(p, "Label_dynmin", QStringLiteral("動作範囲"), 4, 92);
    range_min_ = edit(p, "Edit_dynmin", QString(), 4, 108, 48);
    label(p, "Label26", QStringLiteral("～"), 54, 111);
    range_max_ = edit(p, "Edit_dynmax", QString(), 68, 108, 48);
    range_unit_ = label(p, "Label_dynunit", QStringLiteral("mm"), 119, 111);

    cycles_ = edit(p, "Edit_dyncycle", QStringLiteral("1E7"), 4, 136, 76);
    label(p, "Label31", QStringLiteral("回"), 83, 139);
    cycle_button_ = new QPushButton(QStringLiteral("寿命"), p);
    cycle_button_->setObjectName(QStringLiteral("Button_cycle"));
    cycle_button_->setToolTip(QStringLiteral("設備の能力より寿命回数を計算します"));
    cycle_button_->setGeometry(98, 134, 42, 24);
    return p;
}

QList<QWidget*> StressPanel::tabChain() const {
    QList<QWidget*> chain{link_};
    for (QWidget* w : calculation_->findChildren<QWidget*>())
        chain << w;
    chain << range_min_ << range_max_ << cycles_ << cycle_button_;
    return chain;
}

bool StressPanel::linked() const {
    return link_->isChecked();
}

void StressPanel::setLinked(bool linked) {
    link_->setChecked(linked);
}

session::RangeInput StressPanel::operatingRange() const {
    return {session::TypedNumber::read(utf8(range_min_->text())),
            session::TypedNumber::read(utf8(range_max_->text())), rangeInLengths()};
}

session::TypedNumber StressPanel::cycles() const {
    return session::TypedNumber::read(utf8(cycles_->text()));
}

void StressPanel::setCycles(const QString& text) {
    cycles_->setText(text);
}

bool StressPanel::rangeInLengths() const {
    return calculation_->itemIndex() != 1;
}

void StressPanel::showRangeUnit(const QString& force_unit) {
    range_unit_->setText(rangeInLengths() ? QStringLiteral("mm") : force_unit);
    range_unit_->adjustSize();
}

void StressPanel::setRange(const QString& min, const QString& max) {
    range_min_->setText(min);
    range_max_->setText(max);
}

void StressPanel::clearDots() {
    static_chart_->series(3)->clear();
    clearWorkingPoint();
}

void StressPanel::clearWorkingPoint() {
    fatigue_chart_->series(1)->clear();
}

void StressPanel::addStressDot(const std::string& material, double d, double stress,
                               const std::string& stress_unit) {
    add_taupoint(*static_chart_, material, d, stress, stress_unit);
}

void StressPanel::placeWorkingPoint(const strength::WorkingPoint& point) {
    add_dtaupoint(*fatigue_chart_, point.x, point.y);
}

} // namespace ui

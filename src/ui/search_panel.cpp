#include "ui/search_panel.h"

#include "core/catalogue/number_format.h"
#include "core/catalogue/number_parse.h"
#include "core/search/conditions.h"
#include "core/search/search_start.h"
#include "ui/placed_controls.h"
#include "ui/qt_text.h"
#include "ui/radio_group.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {
namespace {

void mark_unreadable(QLineEdit* edit, bool unreadable) {
    if (edit->property("unreadable").toBool() == unreadable)
        return;
    edit->setProperty("unreadable", unreadable);
    edit->setStyleSheet(unreadable ? QStringLiteral("QLineEdit { border: 1px solid red; }")
                                   : QString());
    edit->setToolTip(unreadable
                         ? QStringLiteral("数値として読めないため、この条件は使われていません")
                         : QString());
}

} // namespace

SearchPanel::SearchPanel(QWidget* maker_box, QWidget* parent)
    : QGroupBox(QStringLiteral("検索条件"), parent) {
    setObjectName(QStringLiteral("GroupBox_input"));
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(2, 0, 2, 1);
    row->setSpacing(0);

    QWidget* panel2 = buildTypeAndUnit();
    row->addWidget(panel2);
    for (int which = 0; which < 2; ++which) {
        conditions_[static_cast<size_t>(which)] = new ConditionBox(which, this);
        row->addWidget(condition(which));
    }
    row->addWidget(buildFreeArea(), 1);
    row->addWidget(maker_box);
    // 143 px and 137 px at least, more where the fonts need it; the layout's
    // own needs count as least sizes, so a small window never squeezes them.
    panel2->setMinimumWidth(std::max(143, panel2->sizeHint().width()));
    setMinimumHeight(std::max(137, sizeHint().height()));
    // A window forced narrower than that (a window system that ignores the
    // size hint) cuts the group at its edge instead of squeezing the
    // controls over one another.
    setMinimumWidth(minimumSizeHint().width());
    for (QLineEdit* e : numberEdits())
        connect(e, &QLineEdit::textChanged, this, [e] { mark_unreadable(e, false); });
}

QList<QLineEdit*> SearchPanel::numberEdits() const {
    QList<QLineEdit*> edits;
    for (const ConditionBox* c : conditions_)
        edits += c->edits();
    edits << outer_min_ << outer_max_ << inner_min_ << inner_max_;
    return edits;
}

void SearchPanel::markUnreadable() {
    for (QLineEdit* e : numberEdits()) {
        const QString text = e->text();
        mark_unreadable(e, !text.trimmed().isEmpty() && !parse_decimal(utf8(text)));
    }
}

QWidget* SearchPanel::buildTypeAndUnit() {
    QWidget* panel2 = panel(this, "Panel2");
    panel2->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    auto* column = new QVBoxLayout(panel2);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    type_ = new RadioGroup(QStringLiteral("RadioGroup_type"), QStringLiteral("バネ種類"),
                           {QStringLiteral("圧縮"), QStringLiteral("引張")}, 2, panel2);
    type_->setMinimumHeight(49);
    type_->setItemIndex(0);
    unit_ =
        new RadioGroup(QStringLiteral("RadioGroup_unit"), QStringLiteral("単位系"),
                       {QStringLiteral("SI単位系 (N-mm)"), QStringLiteral("工学単位系 (kgf-mm)"),
                        QStringLiteral("工学単位系 (gf-mm)")},
                       1, panel2);
    unit_->setItemIndex(0);
    unit_->setToolTip(QStringLiteral("単位系を切り替えます"));
    column->addWidget(type_);
    column->addWidget(unit_, 1);
    return panel2;
}

QWidget* SearchPanel::buildFreeArea() {
    QWidget* area = panel(this, "Panel_searchmisc");
    label(area, nullptr, QStringLiteral("コイル外径："), 2, 3);
    outer_min_ = edit(area, "Edit_coildia_outer_min", QString(), 68, 0, 36);
    label(area, nullptr, QStringLiteral("～"), 106, 3);
    outer_max_ = edit(area, "Edit_coildia_outer_max", QString(), 119, 0, 36);
    label(area, nullptr, QStringLiteral("mm"), 157, 3);

    label(area, nullptr, QStringLiteral("コイル内径："), 2, 25);
    inner_min_ = edit(area, "Edit_coildia_inner_min", QString(), 68, 22, 36);
    label(area, nullptr, QStringLiteral("～"), 106, 25);
    inner_max_ = edit(area, "Edit_coildia_inner_max", QString(), 119, 22, 36);
    label(area, nullptr, QStringLiteral("mm"), 157, 25);

    label(area, nullptr, QStringLiteral("メーカー："), 2, 47);
    maker_ = combo(area, "ComboBox_maker",
                   {QString(), QStringLiteral("KSSC"), QStringLiteral("昌和発条")}, 68, 44, 110);
    label(area, nullptr, QStringLiteral("材質："), 2, 69);
    material_ = combo(area, "ComboBox_material",
                      {QString(), QStringLiteral("SWP"), QStringLiteral("SWP-B"),
                       QStringLiteral("SWO-B"), QStringLiteral("SUS304WPB")},
                      68, 66, 110);

    search_ = new QPushButton(QStringLiteral("検索開始"), area);
    search_->setObjectName(QStringLiteral("Serch_Btn"));
    search_->setGeometry(4, 88, 169, 29);
    fit_to_children(area, QSize(178, 0), 4);
    return area;
}

std::array<search::ConditionTexts, 2> SearchPanel::conditionTexts() const {
    return {condition(0)->texts(), condition(1)->texts()};
}

QList<QWidget*> SearchPanel::searchControls() const {
    QList<QWidget*> chain;
    for (QLineEdit* e : numberEdits())
        chain << e;
    chain << maker_ << material_ << search_;
    return chain;
}

QList<QWidget*> SearchPanel::groupButtons() const {
    QList<QWidget*> buttons;
    for (RadioGroup* g : {type_, unit_})
        for (QWidget* w : g->findChildren<QWidget*>())
            buttons << w;
    return buttons;
}

bool SearchPanel::readRecordRules(search::Conditions& s) const {
    // A type item without a catalogue code keeps the type of before.
    if (const auto code = search::spring_type_code(type_->itemIndex()))
        s.spring_type = *code;
    s.coildia_outer_min = search::read_diameter_bound(utf8(outer_min_->text()));
    s.coildia_outer_max = search::read_diameter_bound(utf8(outer_max_->text()));
    s.coildia_inner_min = search::read_diameter_bound(utf8(inner_min_->text()));
    s.coildia_inner_max = search::read_diameter_bound(utf8(inner_max_->text()));
    if (!search::diameters_valid(s.coildia_outer_min, s.coildia_outer_max, s.coildia_inner_min,
                                 s.coildia_inner_max))
        return false;
    // As typed.
    s.sel_material = utf8(material_->currentText());
    s.sel_maker = utf8(maker_->currentText());
    return true;
}

int SearchPanel::typeItem() const {
    return type_->itemIndex();
}

int SearchPanel::unitItem() const {
    return unit_->itemIndex();
}

void SearchPanel::showAllowableStress(const strength::SpringEvaluation& e,
                                      const strength::SpringValues& spring,
                                      const std::string& force_unit) {
    QString hint = QStringLiteral("許容応力値:");
    switch (e.grade) {
    case strength::GradeData::Known:
        hint += QString::fromStdString(numfmt::fixed15(e.allowable_stress, 0) + force_unit) +
                QStringLiteral("/mm2");
        break;
    case strength::GradeData::WireOutOfRange:
        hint +=
            QStringLiteral("なし (線径 %1 mm は %2 の範囲 %3～%4 mm の外です)")
                .arg(QString::fromStdString(numfmt::general15(spring.wire_dia)),
                     qtext(spring.material), QString::fromStdString(numfmt::general15(e.wire_min)),
                     QString::fromStdString(numfmt::general15(e.wire_max)));
        break;
    case strength::GradeData::UnknownDesignation:
        hint += QStringLiteral("なし (材質「%1」は材料表にありません)").arg(qtext(spring.material));
        break;
    }
    condition(0)->setToolTip(hint);
    condition(1)->setToolTip(hint);
}

void SearchPanel::clearAllowableStress() {
    condition(0)->setToolTip(QString());
    condition(1)->setToolTip(QStringLiteral("許容応力値"));
}

} // namespace ui

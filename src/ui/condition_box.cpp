#include "ui/condition_box.h"

#include "core/catalogue/number_format.h"
#include "core/catalogue/unit_system.h"
#include "ui/placed_controls.h"
#include "ui/qt_text.h"

#include <QLabel>
#include <QLineEdit>

namespace ui {
namespace {

void colour(QLabel* l, const QColor& c) {
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, c);
    l->setPalette(p);
}

} // namespace

ConditionBox::ConditionBox(int which, QWidget* parent)
    : QGroupBox(which == 0 ? QStringLiteral("第1選択条件") : QStringLiteral("第2選択条件"),
                parent) {
    const bool first = which == 0;
    setObjectName(first ? QStringLiteral("GroupBox1") : QStringLiteral("GroupBox2"));
    setMinimumWidth(150);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    if (!first)
        setToolTip(QStringLiteral("許容応力値"));

    label(this, nullptr, QStringLiteral("長さ"), 6, 22);
    length_ = edit(this, first ? "Edit_length" : "Edit_length2", QString(), 32, 19, 44);
    label(this, nullptr, QStringLiteral("±"), 79, 22);
    length_width_ = edit(this, first ? "Edit_lengthwidth" : "Edit_length2width",
                         QStringLiteral("1"), 90, 19, 32);
    length_width_->setAttribute(Qt::WA_InputMethodEnabled, false);
    label(this, nullptr, QStringLiteral("mm"), 125, 22);

    label(this, nullptr, QStringLiteral("荷重"), 6, 46);
    force_ = edit(this, first ? "Edit_force" : "Edit_force2", QString(), 32, 43, 44);
    label(this, nullptr, QStringLiteral("±"), 79, 46);
    force_width_ = edit(this, first ? "Edit_forcewidth" : "Edit_force2width", QStringLiteral("0.1"),
                        90, 43, 32);
    force_unit_ = label(this, first ? "Label6" : "Label14", QStringLiteral("N"), 125, 46);

    load_title_ = label(this, first ? "Label16" : "Label17", QStringLiteral("選定荷重"), 6, 74);
    load_value_ = value_label(this, first ? "Label_F1" : "Label_f2", 50, 74, 52);
    load_unit_ = label(this, first ? "Label18" : "Label20", QStringLiteral("N"), 104, 74);
    stress_title_ = label(this, first ? "Label22" : "Label21", QStringLiteral("修正応力"), 6, 96);
    stress_value_ = value_label(this, first ? "Label_tau1" : "Label_tau2", 50, 96, 52);
    stress_unit_ = label(this, first ? "Label24" : "Label25", QStringLiteral("MPa"), 104, 96);
    superscript_ = label(this, first ? "Label19" : "Label23", QStringLiteral("2"), 121, 92);
    QFont small = superscript_->font();
    small.setPixelSize(8);
    superscript_->setFont(small);
    superscript_->adjustSize();
    for (QLabel* l : {load_title_, load_unit_, stress_title_, stress_unit_, superscript_})
        l->hide();
    fit();
}

search::ConditionTexts ConditionBox::texts() const {
    return {utf8(length_->text()), utf8(length_width_->text()), utf8(force_->text()),
            utf8(force_width_->text())};
}

QList<QLineEdit*> ConditionBox::edits() const {
    return {length_, length_width_, force_, force_width_};
}

void ConditionBox::setTolerances(const QString& length, const QString& force) {
    length_width_->setText(length);
    force_width_->setText(force);
    // The narrow boxes show a longer text from its start.
    length_width_->setCursorPosition(0);
    force_width_->setCursorPosition(0);
}

void ConditionBox::showSearchedLength(bool searched) {
    if (searched) {
        load_title_->setText(length_->text() + QStringLiteral("時荷重"));
        load_title_->adjustSize();
        for (QLabel* l : {load_title_, load_unit_, stress_unit_, stress_title_})
            l->show();
    } else {
        for (QLabel* l : {load_title_, load_unit_, superscript_, stress_unit_, stress_title_})
            l->hide();
    }
    fit();
}

void ConditionBox::setForceUnit(const QString& unit) {
    force_unit_->setText(unit);
    force_unit_->adjustSize();
}

void ConditionBox::setUnitTexts(const QString& load_unit, const QString& stress_unit,
                                bool superscript) {
    load_unit_->setText(load_unit);
    load_unit_->adjustSize();
    stress_unit_->setText(stress_unit);
    stress_unit_->adjustSize();
    superscript_->setVisible(superscript);
}

void ConditionBox::showEvaluation(const strength::ConditionEvaluation& e, int force_decimals) {
    using State = strength::ConditionEvaluation::State;
    switch (e.state) {
    case State::NotSearched:
        clearEvaluation();
        break;
    case State::OutOfRange:
        colour(load_value_, Qt::red);
        load_value_->setText(QStringLiteral("範囲外"));
        stress_value_->clear();
        break;
    case State::Evaluated:
        colour(load_value_, Qt::black);
        load_value_->setText(QString::fromStdString(numfmt::fixed15(e.load, force_decimals)));
        colour(stress_value_, e.over_limit ? Qt::red : Qt::black);
        if (e.stress_known)
            stress_value_->setText(QString::fromStdString(numfmt::fixed15(e.stress, 0)));
        else
            stress_value_->clear();
        break;
    }
}

void ConditionBox::clearEvaluation() {
    load_value_->clear();
    stress_value_->clear();
}

void ConditionBox::fit() {
    // The values stand between the longer title and the units, right-aligned
    // in at least room for "000.000"; the superscript follows the stress
    // unit. Room is kept for a two-digit length ("00時荷重") from the start,
    // so that an ordinary search does not shift the layout
    // (digits differ by a pixel or two in a proportional face).
    int titles = load_title_->x() + 3 +
                 load_title_->fontMetrics().horizontalAdvance(QStringLiteral("00時荷重"));
    for (QLabel* t : {load_title_, stress_title_}) {
        if (!t->isHidden() || t == stress_title_)
            titles = std::max(titles, t->x() + t->sizeHint().width());
    }
    const int value_x = std::max(50, titles + 2);
    const int value_room = load_value_->fontMetrics().horizontalAdvance(QStringLiteral("000.000"));
    const int value_right = std::max(102, value_x + value_room);
    for (QLabel* v : {load_value_, stress_value_})
        v->setGeometry(value_x, v->y(), value_right - value_x, v->height());
    const int unit_x = value_right + 2;
    for (QLabel* u : {load_unit_, stress_unit_}) {
        u->adjustSize();
        u->move(unit_x, u->y());
    }
    superscript_->move(stress_unit_->x() + stress_unit_->width(), superscript_->y());
    fit_to_children(this, QSize(150, 0), 4);

    // Wide enough for the widest stress unit of any unit system, so that the
    // layout does not shift when the units change. The stress labels do not
    // depend on the force texts of the state.
    int widest = 0;
    for (int unit = 0; unit < 3; ++unit) {
        const units::UnitCaptions captions =
            units::unit_captions(unit, 0, units::UnitSystemState{});
        widest =
            std::max(widest, stress_unit_->fontMetrics().horizontalAdvance(
                                 QString::fromStdString(captions.stress_label)) +
                                 (captions.superscript ? superscript_->sizeHint().width() : 0));
    }
    setMinimumWidth(std::max(minimumWidth(), unit_x + widest + 8));
}

} // namespace ui

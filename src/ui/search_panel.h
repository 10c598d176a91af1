#pragma once

#include "ui/condition_box.h"

#include <QGroupBox>

#include <array>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace search {
struct Conditions;
}

namespace ui {

class RadioGroup;

// The search form (検索条件): spring type and unit system, both conditions,
// the free area with the coil diameters, maker, material and the search
// button, and at its right end the maker box the window hands it.
class SearchPanel : public QGroupBox {
    Q_OBJECT
public:
    SearchPanel(QWidget* maker_box, QWidget* parent);

    RadioGroup* typeGroup() const { return type_; }
    RadioGroup* unitGroup() const { return unit_; }
    // The selected items of the spring type and the unit system.
    int typeItem() const;
    int unitItem() const;
    ConditionBox* condition(int which) const { return conditions_[static_cast<size_t>(which)]; }
    std::array<search::ConditionTexts, 2> conditionTexts() const;
    QPushButton* searchButton() const { return search_; }

    // Every control whose Enter starts the search, in the tab order.
    QList<QWidget*> searchControls() const;
    // The radio buttons of both groups, in the tab order.
    QList<QWidget*> groupButtons() const;

    // The filter's type, diameter, material and maker rules from the
    // controls; false, with the diameters read, when they contradict.
    bool readRecordRules(search::Conditions& s) const;
    // The hint over both condition boxes: the allowable stress of the
    // selected spring's grade, or why it has none; the start's hints when
    // no spring is selected.
    // `force_unit` is the unit the stress is written in, over mm².
    void showAllowableStress(const strength::SpringEvaluation& evaluation,
                             const strength::SpringValues& spring, const std::string& force_unit);
    void clearAllowableStress();

    // Marks each search box whose text is not empty but does not read as a
    // number, so that the designer sees which condition was left out; a mark
    // goes as soon as the box's text changes.
    void markUnreadable();

private:
    QList<QLineEdit*> numberEdits() const;
    QWidget* buildTypeAndUnit();
    QWidget* buildFreeArea();

    RadioGroup* type_ = nullptr;
    RadioGroup* unit_ = nullptr;
    std::array<ConditionBox*, 2> conditions_{};
    QLineEdit* outer_min_ = nullptr;
    QLineEdit* outer_max_ = nullptr;
    QLineEdit* inner_min_ = nullptr;
    QLineEdit* inner_max_ = nullptr;
    QComboBox* maker_ = nullptr;
    QComboBox* material_ = nullptr;
    QPushButton* search_ = nullptr;
};

} // namespace ui

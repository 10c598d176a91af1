#pragma once

#include "core/strength/working_point.h"

#include <QWidget>

#include <string>

class Chart;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ui {

class RadioGroup;
class SplitterBar;

// The stresses of the selected spring (Paneltau): the static stress chart,
// a splitter, and the dynamic panel with its calculation conditions and the
// fatigue diagram.
class StressPanel : public QWidget {
    Q_OBJECT
public:
    explicit StressPanel(QWidget* parent);

    Chart* staticChart() const { return static_chart_; }   // Chart_statictau
    Chart* fatigueChart() const { return fatigue_chart_; } // Chart_dynamictau
    SplitterBar* staticSplitter() const { return static_splitter_; }
    QWidget* dynamicPanel() const { return dynamic_panel_; }

    QCheckBox* linkBox() const { return link_; }
    RadioGroup* calculationGroup() const { return calculation_; }
    QLineEdit* rangeMin() const { return range_min_; }
    QLineEdit* rangeMax() const { return range_max_; }
    QLineEdit* cycleEdit() const { return cycles_; }
    QPushButton* cycleButton() const { return cycle_button_; }
    // The controls of the dynamic panel, in the tab order.
    QList<QWidget*> tabChain() const;
    // The height the panel asks its layout for; 0 for its least height.
    void setPreferredHeight(int height);
    QSize sizeHint() const override;

    // Whether the range is given as two lengths (else as two loads).
    bool rangeInLengths() const;
    void showRangeUnit(const QString& force_unit);
    // Written by the program: the edits' modified flags stay clear.
    void setRange(const QString& min, const QString& max);

    // The dots of the selected spring on both charts.
    void clearDots();
    void clearWorkingPoint();
    void addStressDot(const std::string& material, double d, double stress);
    void placeWorkingPoint(const strength::WorkingPoint& point);

private:
    QWidget* buildParameters();

    int preferred_height_ = 0;

    Chart* static_chart_;
    SplitterBar* static_splitter_;
    QWidget* dynamic_panel_;
    Chart* fatigue_chart_ = nullptr;
    QCheckBox* link_ = nullptr;
    RadioGroup* calculation_ = nullptr;
    QLineEdit* range_min_ = nullptr;
    QLineEdit* range_max_ = nullptr;
    QLabel* range_unit_ = nullptr;
    QLineEdit* cycles_ = nullptr;
    QPushButton* cycle_button_ = nullptr;
};

} // namespace ui

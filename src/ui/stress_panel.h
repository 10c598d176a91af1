#pragma once

#include "core/session/search_session.h"
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

    // Whether the range follows the search conditions (検索条件とのリンク).
    bool linked() const;
    void setLinked(bool linked);
    // The range and the cycle count as typed and read.
    session::RangeInput operatingRange() const;
    session::TypedNumber cycles() const;
    void setCycles(const QString& text);
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
    // `stress_unit` labels the dot.
    void addStressDot(const std::string& material, double d, double stress,
                      const std::string& stress_unit);
    void placeWorkingPoint(const strength::WorkingPoint& point);

signals:
    void linkClicked();
    void calculationClicked();
    // The minimum's text changed; `typed` when the designer typed it.
    void minimumChanged(bool typed);
    // Either end of the range or the kind of its values changed.
    void operatingRangeChanged(const session::RangeInput& range);
    void cyclesChanged(const session::TypedNumber& cycles);
    void cycleButtonClicked();

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

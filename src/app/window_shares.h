// A window larger than its default size gives the charts part of the room: the
// load-length chart a third of the extra width, the stress panel a third of the
// extra height, and the static stress chart keeps its shape in the taller panel;
// of the width that chart leaves, the verdict list beside it takes half.
// At the default size and below, nothing moves. The shares are what the widgets ask
// their layouts for above their least sizes, which stay as they were (a splitter bar
// sets them), so the window can always shrink back.
#pragma once

#include <QObject>
#include <QSize>

class Chart;
class QWidget;

namespace ui {
class StressPanel;
class VerdictPanel;
} // namespace ui

namespace app {

class WindowShares : public QObject {
    Q_OBJECT

public:
    // `defaults` is the window's default size.
    WindowShares(QWidget* window, QSize defaults, Chart* load_length_chart,
                 ui::StressPanel* stress_panel, Chart* static_chart, ui::VerdictPanel* verdict);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void share(QSize window);

    QSize defaults_;
    Chart* chart_;
    ui::StressPanel* stress_;
    Chart* static_chart_;
    ui::VerdictPanel* verdict_;
};

} // namespace app

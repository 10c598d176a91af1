#include "app/window_shares.h"

#include "chart/chart.h"
#include "ui/stress_panel.h"
#include "ui/verdict_panel.h"

#include <QEvent>
#include <QResizeEvent>

#include <algorithm>

namespace app {

namespace {

constexpr int kShareDivisor = 3;
// The static stress chart's width for each pixel of panel height, as at the
// default size (345 x 200), so that its curves keep their slope.
constexpr double kStaticAspect = 345.0 / 200.0;

} // namespace

WindowShares::WindowShares(QWidget* window, QSize defaults, Chart* load_length_chart,
                           ui::StressPanel* stress_panel, Chart* static_chart,
                           ui::VerdictPanel* verdict)
    : QObject(window), defaults_(defaults), chart_(load_length_chart), stress_(stress_panel),
      static_chart_(static_chart), verdict_(verdict) {
    window->installEventFilter(this);
}

bool WindowShares::eventFilter(QObject* watched, QEvent* event) {
    // Filters run before the window's layout sees the event: it lays out with these.
    if (event->type() == QEvent::Resize)
        share(static_cast<QResizeEvent*>(event)->size());
    return QObject::eventFilter(watched, event);
}

void WindowShares::share(QSize window) {
    const int width_share = std::max(0, window.width() - defaults_.width()) / kShareDivisor;
    const int height_share = std::max(0, window.height() - defaults_.height()) / kShareDivisor;
    const int static_share = static_cast<int>(height_share * kStaticAspect);

    const int chart_width = chart_->minimumWidth() + width_share;
    chart_->setMaximumWidth(chart_width);
    chart_->setPreferredWidth(chart_width);
    const int stress_height = stress_->minimumHeight() + height_share;
    stress_->setMaximumHeight(stress_height);
    stress_->setPreferredHeight(stress_height);
    const int static_width = static_chart_->minimumWidth() + static_share;
    static_chart_->setMaximumWidth(static_width);
    static_chart_->setPreferredWidth(static_width);
    // The fatigue diagram and the verdict list share what the static chart leaves.
    const int extra_w = std::max(0, window.width() - defaults_.width());
    const int static_growth = static_chart_->isHidden() ? 0 : static_share;
    verdict_->setShare(std::max(0, extra_w - static_growth) / 2);
}

} // namespace app

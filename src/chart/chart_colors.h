#pragma once

#include <QColor>

// The named colours the charts use.
namespace chart_colors {
inline const QColor black(0, 0, 0);
inline const QColor red(255, 0, 0);
inline const QColor lime(0, 255, 0);
inline const QColor blue(0, 0, 255);
inline const QColor maroon(128, 0, 0);
inline const QColor silver(192, 192, 192);
inline const QColor white(255, 255, 255);
} // namespace chart_colors

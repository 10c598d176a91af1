#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>

// One axis of a Chart: its value range, its look, and the integer value-to-pixel
// mapping that the series and the program's overlays share. The chart owns the
// axes and tells each one the pixel span it covers whenever the layout changes.
class ChartAxis {
public:
    enum class Position { Bottom, Left, Right, Top };

    explicit ChartAxis(Position position);

    // Maps a value onto the pixel span [start, end] of an axis. Pure, so that
    // the overlays and the tests can rely on exactly the pixels the series use.
    static int mapValue(double value, double minimum, double maximum, bool logarithmic,
                        bool inverted, bool horizontal, int start, int end);

    Position position() const { return m_position; }
    bool isHorizontal() const {
        return m_position == Position::Bottom || m_position == Position::Top;
    }

    // Range. The setters refuse an empty-inverted range with ChartRangeError and
    // remember what the program asked for, so that an undo of the mouse zoom can
    // go back to it.
    double minimum() const { return m_minimum; }
    double maximum() const { return m_maximum; }
    void setMinimum(double value);
    void setMaximum(double value);
    void setMinMax(double minimum, double maximum);
    bool isAutomatic() const { return m_automatic; }
    void setAutomatic(bool on);
    bool isLogarithmic() const { return m_logarithmic; }
    void setLogarithmic(bool on);
    bool isInverted() const { return m_inverted; }
    void setInverted(bool on);
    // Smallest step between labels; 0 lets the axis choose.
    double increment() const { return m_increment; }
    void setIncrement(double step);

    bool isVisible() const { return m_visible; }
    void setVisible(bool on);

    QString title() const { return m_title; }
    void setTitle(const QString& caption);
    // Degrees counter-clockwise: 0 reads across, 90 reads upwards, 270 downwards.
    int titleAngle() const { return m_titleAngle; }
    void setTitleAngle(int degrees);
    QFont titleFont() const { return m_titleFont; }
    void setTitleFont(const QFont& font);

    QFont labelFont() const { return m_labelFont; }
    void setLabelFont(const QFont& font);
    // Number pattern of the labels, e.g. "#,##0.###" or "0.00".
    QString labelFormat() const { return m_labelFormat; }
    void setLabelFormat(const QString& pattern);
    bool labelsVisible() const { return m_labelsVisible; }
    void setLabelsVisible(bool on);

    bool isGridVisible() const { return m_gridVisible; }
    void setGridVisible(bool on);
    QColor gridColor() const { return m_gridColor; }
    void setGridColor(const QColor& color);

    bool isAxisLineVisible() const { return m_axisLineVisible; }
    void setAxisLineVisible(bool on);
    int axisLineWidth() const { return m_axisLineWidth; }
    void setAxisLineWidth(int pixels);

    // Outer ticks (pointing away from the plot), inner ticks and minor ticks.
    bool ticksVisible() const { return m_ticksVisible; }
    void setTicksVisible(bool on);
    int tickLength() const { return m_tickLength; }
    void setTickLength(int pixels);
    int innerTickLength() const { return m_innerTickLength; }
    void setInnerTickLength(int pixels);
    QColor tickColor() const { return m_tickColor; }
    void setTickColor(const QColor& color);
    bool minorTicksVisible() const { return m_minorTicksVisible; }
    void setMinorTicksVisible(bool on);

    // The pixel span the chart's layout gives this axis: left to right for a
    // horizontal axis, top to bottom for a vertical one.
    int pixelStart() const;
    int pixelEnd() const;
    int valueToPixel(double value) const;
    // The inverse of valueToPixel, without rounding.
    double pixelToValue(double pixel) const;

private:
    friend class Chart;

    // The chart's hooks: one to hear about changes, one to bring the layout
    // (and so the pixel span) up to date before a mapping.
    void attach(std::function<void()> changed, std::function<void()> ensureLayout);
    void setPixelSpan(int start, int end);
    // Range changes by the mouse and the automatic range: no refusal and no
    // change of the remembered range.
    void setViewRange(double minimum, double maximum);
    void restoreSetRange();
    void changed();

    Position m_position;
    double m_minimum = 0.0;
    double m_maximum = 100.0;
    double m_setMinimum = 0.0;
    double m_setMaximum = 100.0;
    bool m_automatic = false;
    bool m_logarithmic = false;
    bool m_inverted = false;
    double m_increment = 0.0;
    bool m_visible = true;
    QString m_title;
    int m_titleAngle = 0;
    QFont m_titleFont;
    QFont m_labelFont;
    QString m_labelFormat = QStringLiteral("#,##0.###");
    bool m_labelsVisible = true;
    bool m_gridVisible = true;
    QColor m_gridColor = QColor(192, 192, 192);
    bool m_axisLineVisible = true;
    int m_axisLineWidth = 1;
    bool m_ticksVisible = true;
    int m_tickLength = 4;
    int m_innerTickLength = 0;
    QColor m_tickColor = Qt::black;
    bool m_minorTicksVisible = true;
    int m_pixelStart = 0;
    int m_pixelEnd = 0;
    std::function<void()> m_changed;
    std::function<void()> m_ensureLayout;
};

// Inline because the series painter maps millions of values with it.
inline int ChartAxis::mapValue(double value, double minimum, double maximum, bool logarithmic,
                               bool inverted, bool horizontal, int start, int end) {
    constexpr double kFarAway = 2147483647.0;
    const int centre = static_cast<int>((static_cast<std::int64_t>(start) + end) / 2);
    const double length = static_cast<double>(end) - start;
    // Pixels grow rightwards and downwards, values upwards.
    const bool fromStart = horizontal != inverted;
    double r = 0.0;
    if (logarithmic) {
        const double span = std::log(maximum) - std::log(minimum);
        if (span == 0.0)
            return centre;
        if (value <= 0.0)
            return fromStart ? start : end;
        r = (std::log(value) - std::log(minimum)) * length / span;
    } else {
        const double span = maximum - minimum;
        if (span == 0.0)
            return centre;
        r = (value - minimum) * length / span;
    }
    // The negated test also sends NaN (an infinite or undefined range) to the centre.
    if (!(std::fabs(r) < kFarAway))
        return centre;
    // Round half away from zero, as llround does, without a library call:
    // |r| < 2^31 makes the truncation and the difference exact.
    std::int64_t n = static_cast<std::int64_t>(r);
    const double fraction = r - static_cast<double>(n);
    if (fraction >= 0.5)
        ++n;
    else if (fraction <= -0.5)
        --n;
    // start + n can leave the int range when n is near the limit; clamp instead of wrapping.
    const std::int64_t pixel = fromStart ? start + n : end - n;
    constexpr std::int64_t lo = std::numeric_limits<int>::min();
    constexpr std::int64_t hi = std::numeric_limits<int>::max();
    return static_cast<int>(pixel < lo ? lo : (pixel > hi ? hi : pixel));
}

#include "chart/chart_axis.h"

#include "chart/assign_changed.h"
#include "chart/chart_error.h"

#include <cmath>
#include <utility>

using chart_detail::assign;

ChartAxis::ChartAxis(Position position) : m_position(position) {
    m_titleAngle = position == Position::Left ? 90 : (position == Position::Right ? 270 : 0);
    m_titleFont = QFont(QStringLiteral("ＭＳ Ｐゴシック"));
    m_titleFont.setPixelSize(12);
    m_labelFont = QFont(QStringLiteral("ＭＳ Ｐ明朝"));
    m_labelFont.setPixelSize(12);
}

void ChartAxis::setMinimum(double value) {
    if (value > m_maximum)
        throw ChartRangeError("軸の最小値は最大値以下でなければなりません");
    m_setMinimum = value;
    if (value == m_minimum)
        return;
    m_minimum = value;
    changed();
}

void ChartAxis::setMaximum(double value) {
    if (value < m_minimum)
        throw ChartRangeError("軸の最大値は最小値以上でなければなりません");
    m_setMaximum = value;
    if (value == m_maximum)
        return;
    m_maximum = value;
    changed();
}

void ChartAxis::setMinMax(double minimum, double maximum) {
    if (minimum > maximum)
        throw ChartRangeError("軸の最小値は最大値以下でなければなりません");
    m_setMinimum = minimum;
    m_setMaximum = maximum;
    if (minimum == m_minimum && maximum == m_maximum)
        return;
    m_minimum = minimum;
    m_maximum = maximum;
    changed();
}

void ChartAxis::setViewRange(double minimum, double maximum) {
    if (!(minimum <= maximum) || (minimum == m_minimum && maximum == m_maximum))
        return;
    m_minimum = minimum;
    m_maximum = maximum;
    changed();
}

void ChartAxis::restoreSetRange() {
    setViewRange(m_setMinimum, m_setMaximum);
}

void ChartAxis::setAutomatic(bool on) {
    if (assign(m_automatic, on))
        changed();
}
void ChartAxis::setLogarithmic(bool on) {
    if (assign(m_logarithmic, on))
        changed();
}
void ChartAxis::setInverted(bool on) {
    if (assign(m_inverted, on))
        changed();
}
void ChartAxis::setIncrement(double step) {
    if (assign(m_increment, step > 0.0 ? step : 0.0))
        changed();
}
void ChartAxis::setVisible(bool on) {
    if (assign(m_visible, on))
        changed();
}
void ChartAxis::setTitle(const QString& caption) {
    if (assign(m_title, caption))
        changed();
}
void ChartAxis::setTitleAngle(int degrees) {
    if (assign(m_titleAngle, ((degrees % 360) + 360) % 360))
        changed();
}
void ChartAxis::setTitleFont(const QFont& font) {
    if (assign(m_titleFont, font))
        changed();
}
void ChartAxis::setLabelFont(const QFont& font) {
    if (assign(m_labelFont, font))
        changed();
}
void ChartAxis::setLabelFormat(const QString& pattern) {
    if (assign(m_labelFormat, pattern))
        changed();
}
void ChartAxis::setLabelsVisible(bool on) {
    if (assign(m_labelsVisible, on))
        changed();
}
void ChartAxis::setGridVisible(bool on) {
    if (assign(m_gridVisible, on))
        changed();
}
void ChartAxis::setGridColor(const QColor& color) {
    if (assign(m_gridColor, color))
        changed();
}
void ChartAxis::setAxisLineVisible(bool on) {
    if (assign(m_axisLineVisible, on))
        changed();
}
void ChartAxis::setAxisLineWidth(int pixels) {
    if (assign(m_axisLineWidth, pixels < 0 ? 0 : pixels))
        changed();
}
void ChartAxis::setTicksVisible(bool on) {
    if (assign(m_ticksVisible, on))
        changed();
}
void ChartAxis::setTickLength(int pixels) {
    if (assign(m_tickLength, pixels < 0 ? 0 : pixels))
        changed();
}
void ChartAxis::setInnerTickLength(int pixels) {
    if (assign(m_innerTickLength, pixels < 0 ? 0 : pixels))
        changed();
}
void ChartAxis::setTickColor(const QColor& color) {
    if (assign(m_tickColor, color))
        changed();
}
void ChartAxis::setMinorTicksVisible(bool on) {
    if (assign(m_minorTicksVisible, on))
        changed();
}

int ChartAxis::pixelStart() const {
    if (m_ensureLayout)
        m_ensureLayout();
    return m_pixelStart;
}

int ChartAxis::pixelEnd() const {
    if (m_ensureLayout)
        m_ensureLayout();
    return m_pixelEnd;
}

int ChartAxis::valueToPixel(double value) const {
    if (m_ensureLayout)
        m_ensureLayout();
    return mapValue(value, m_minimum, m_maximum, m_logarithmic, m_inverted, isHorizontal(),
                    m_pixelStart, m_pixelEnd);
}

double ChartAxis::pixelToValue(double pixel) const {
    if (m_ensureLayout)
        m_ensureLayout();
    const double length = static_cast<double>(m_pixelEnd) - m_pixelStart;
    if (length == 0.0)
        return m_minimum;
    const bool fromStart = isHorizontal() != m_inverted;
    const double fraction = (fromStart ? pixel - m_pixelStart : m_pixelEnd - pixel) / length;
    if (m_logarithmic && m_minimum > 0.0 && m_maximum > 0.0) {
        const double lo = std::log(m_minimum);
        return std::exp(lo + fraction * (std::log(m_maximum) - lo));
    }
    return m_minimum + fraction * (m_maximum - m_minimum);
}

void ChartAxis::attach(std::function<void()> changed, std::function<void()> ensureLayout) {
    m_changed = std::move(changed);
    m_ensureLayout = std::move(ensureLayout);
}

void ChartAxis::setPixelSpan(int start, int end) {
    m_pixelStart = start;
    m_pixelEnd = end;
}

void ChartAxis::changed() {
    if (m_changed)
        m_changed();
}

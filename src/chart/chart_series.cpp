#include "chart/chart_series.h"

#include "chart/assign_changed.h"
#include "chart/chart.h"

#include <algorithm>
#include <stdexcept>

namespace {

using chart_detail::assign;

template <typename T> void releaseStorage(std::vector<T>& column) {
    std::vector<T>().swap(column);
}

} // namespace

ChartSeries::ChartSeries(Chart* chart, Kind kind, const QString& name)
    : QObject(chart), m_chart(chart), m_kind(kind), m_pointerVisible(kind == Kind::Point) {
    setObjectName(name);
    m_title = name;
    m_marksFont = QFont(QStringLiteral("ＭＳ Ｐ明朝"));
    m_marksFont.setPixelSize(12);
}

ChartSeries::~ChartSeries() {
    if (m_chart)
        m_chart->forgetSeries(this);
}

void ChartSeries::changed(bool dataChanged) {
    if (m_batchDepth > 0) {
        m_batchChanged = true;
        return;
    }
    if (m_chart)
        m_chart->seriesChanged(dataChanged);
}

void ChartSeries::legendChanged() {
    changed(false);
}

void ChartSeries::setTitle(const QString& title) {
    if (assign(m_title, title))
        legendChanged();
}
void ChartSeries::setSeriesColor(const QColor& color) {
    if (assign(m_color, color))
        changed();
}
void ChartSeries::setColorEachPoint(bool on) {
    if (assign(m_colorEachPoint, on))
        changed();
}
void ChartSeries::setVisible(bool on) {
    if (assign(m_visible, on))
        changed();
}
void ChartSeries::setShowInLegend(bool on) {
    if (assign(m_showInLegend, on))
        legendChanged();
}
void ChartSeries::setVerticalAxis(VerticalAxis axis) {
    if (assign(m_verticalAxis, axis))
        changed();
}
void ChartSeries::setXOrder(XOrder order) {
    // Existing items keep their order; the setting governs later additions.
    m_xOrder = order;
}
void ChartSeries::setMarksVisible(bool on) {
    if (assign(m_marksVisible, on))
        changed();
}
void ChartSeries::setMarksTransparent(bool on) {
    if (assign(m_marksTransparent, on))
        changed();
}
void ChartSeries::setMarksFrame(bool on) {
    if (assign(m_marksFrame, on))
        changed();
}
void ChartSeries::setMarksArrowLength(int pixels) {
    if (assign(m_marksArrowLength, pixels))
        changed();
}
void ChartSeries::setMarksFont(const QFont& font) {
    if (assign(m_marksFont, font))
        changed();
}
void ChartSeries::setMarksFormat(const QString& pattern) {
    if (assign(m_marksFormat, pattern))
        changed();
}
void ChartSeries::setPointerVisible(bool on) {
    if (assign(m_pointerVisible, on))
        changed();
}
void ChartSeries::setPointerFilled(bool on) {
    if (assign(m_pointerFilled, on))
        changed();
}
void ChartSeries::setPointerOutline(bool on) {
    if (assign(m_pointerOutline, on))
        changed();
}
void ChartSeries::setPointerSize(int pixels) {
    if (assign(m_pointerSize, std::max(0, pixels)))
        changed();
}
void ChartSeries::setArrowHeadLength(int pixels) {
    if (assign(m_arrowHeadLength, std::max(0, pixels)))
        changed();
}
void ChartSeries::setArrowHeadWidth(int pixels) {
    if (assign(m_arrowHeadWidth, std::max(0, pixels)))
        changed();
}

ChartAxis* ChartSeries::xAxis() const {
    return m_chart ? &m_chart->bottomAxis() : nullptr;
}

ChartAxis* ChartSeries::yAxis() const {
    if (!m_chart)
        return nullptr;
    return m_verticalAxis == VerticalAxis::Right ? &m_chart->rightAxis() : &m_chart->leftAxis();
}

double ChartSeries::endX(int i) const {
    return m_kind == Kind::Arrow ? m_endX.at(static_cast<size_t>(i)) : x(i);
}

double ChartSeries::endY(int i) const {
    return m_kind == Kind::Arrow ? m_endY.at(static_cast<size_t>(i)) : y(i);
}

QString ChartSeries::label(int i) const {
    const auto index = static_cast<size_t>(i);
    if (index >= m_x.size())
        throw std::out_of_range("ChartSeries::label");
    return m_hasLabels ? m_labels[index] : QString();
}

QColor ChartSeries::ownColor(int i) const {
    const auto index = static_cast<size_t>(i);
    if (index >= m_x.size())
        throw std::out_of_range("ChartSeries::ownColor");
    if (!m_hasOwnColors || !m_hasOwnColor[index])
        return QColor();
    return QColor::fromRgba(m_ownColors[index]);
}

QColor ChartSeries::color(int i) const {
    const QColor own = ownColor(i);
    return (m_colorEachPoint && own.isValid()) ? own : m_color;
}

void ChartSeries::clear() {
    const bool hadItems = !m_x.empty();
    // The storage goes too, not only the items: a series of a million rows is
    // tens of megabytes, and the table read before the next fill can use them.
    releaseStorage(m_x);
    releaseStorage(m_y);
    releaseStorage(m_endX);
    releaseStorage(m_endY);
    releaseStorage(m_labels);
    releaseStorage(m_ownColors);
    releaseStorage(m_hasOwnColor);
    m_hasLabels = false;
    m_hasOwnColors = false;
    if (hadItems)
        changed();
}

void ChartSeries::reserve(int items) {
    const auto n = static_cast<size_t>(std::max(0, items));
    m_x.reserve(n);
    m_y.reserve(n);
    if (m_kind == Kind::Arrow) {
        m_endX.reserve(n);
        m_endY.reserve(n);
    }
}

int ChartSeries::insertionIndex(double x) const {
    if (m_xOrder == XOrder::None || m_x.empty() || !(x < m_x.back()))
        return count();
    // After the last item whose X is not larger.
    return static_cast<int>(std::upper_bound(m_x.begin(), m_x.end(), x) - m_x.begin());
}

int ChartSeries::insertItem(double x0, double y0, double x1, double y1, const QString& label,
                            const QColor& color) {
    const int index = insertionIndex(x0);
    const auto at = static_cast<std::ptrdiff_t>(index);
    const size_t before = m_x.size();
    m_x.insert(m_x.begin() + at, x0);
    m_y.insert(m_y.begin() + at, y0);
    if (m_kind == Kind::Arrow) {
        m_endX.insert(m_endX.begin() + at, x1);
        m_endY.insert(m_endY.begin() + at, y1);
    }
    // The sparse columns come into being with the first item that needs them.
    if (!label.isEmpty() && !m_hasLabels) {
        m_labels.resize(before);
        m_hasLabels = true;
    }
    if (m_hasLabels)
        m_labels.insert(m_labels.begin() + at, label);
    if (color.isValid() && !m_hasOwnColors) {
        m_hasOwnColor.resize(before, false);
        m_ownColors.resize(before, 0);
        m_hasOwnColors = true;
    }
    if (m_hasOwnColors) {
        m_hasOwnColor.insert(m_hasOwnColor.begin() + at, color.isValid());
        m_ownColors.insert(m_ownColors.begin() + at, color.isValid() ? color.rgba() : 0u);
    }
    changed();
    return index;
}

int ChartSeries::addPoint(double x, double y, const QString& label, const QColor& color) {
    return insertItem(x, y, x, y, label, color);
}

int ChartSeries::addArrow(double x0, double y0, double x1, double y1, const QString& label,
                          const QColor& color) {
    if (m_kind != Kind::Arrow)
        throw std::logic_error("ChartSeries::addArrow on a series that is not an arrow series");
    return insertItem(x0, y0, x1, y1, label, color);
}

ChartSeries::Batch::Batch(ChartSeries& series) : m_series(series) {
    ++m_series.m_batchDepth;
}

ChartSeries::Batch::~Batch() {
    if (--m_series.m_batchDepth == 0 && m_series.m_batchChanged) {
        m_series.m_batchChanged = false;
        m_series.changed();
    }
}

namespace {

double extreme(const std::vector<double>& a, const std::vector<double>& b, bool largest) {
    if (a.empty())
        return 0.0;
    auto pick = [largest](double best, double v) {
        return largest ? (v > best ? v : best) : (v < best ? v : best);
    };
    double best = a.front();
    for (const double v : a)
        best = pick(best, v);
    for (const double v : b)
        best = pick(best, v);
    return best;
}

} // namespace

double ChartSeries::minX() const {
    return extreme(m_x, m_endX, false);
}
double ChartSeries::maxX() const {
    return extreme(m_x, m_endX, true);
}
double ChartSeries::minY() const {
    return extreme(m_y, m_endY, false);
}
double ChartSeries::maxY() const {
    return extreme(m_y, m_endY, true);
}

int ChartSeries::xToPixel(double value) const {
    const ChartAxis* axis = xAxis();
    return axis ? axis->valueToPixel(value) : 0;
}

int ChartSeries::yToPixel(double value) const {
    const ChartAxis* axis = yAxis();
    return axis ? axis->valueToPixel(value) : 0;
}

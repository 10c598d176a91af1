#include "chart/chart_series_painter.h"

#include "chart/chart_axis.h"
#include "chart/chart_marks.h"
#include "chart/chart_number_format.h"
#include "chart/chart_raster.h"
#include "chart/chart_segment_cut.h"
#include "chart/chart_series.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

namespace {

constexpr int kMapChunk = 512;

// Snapshot of an axis for mapping many values without going back to the chart.
struct Mapper {
    explicit Mapper(const ChartAxis& axis)
        : minimum(axis.minimum()), maximum(axis.maximum()), start(axis.pixelStart()),
          end(axis.pixelEnd()), logarithmic(axis.isLogarithmic()), inverted(axis.isInverted()),
          horizontal(axis.isHorizontal()) {}
    int operator()(double value) const {
        return ChartAxis::mapValue(value, minimum, maximum, logarithmic, inverted, horizontal,
                                   start, end);
    }
    // The same mapping for up to kMapChunk values. The linear case repeats the
    // arithmetic of ChartAxis::mapValue step for step, so the results are
    // identical, but in two plain loops without branches that depend on the
    // value (half of the roundings go each way, and mispredicted branches cost
    // more than the division); values that come near the limits take the
    // general path.
    void map(const double* values, int count, int* pixels) const;

    double minimum, maximum;
    int start, end;
    bool logarithmic, inverted, horizontal;
};

void Mapper::map(const double* values, int count, int* pixels) const {
    const double span = maximum - minimum;
    const bool fromStart = horizontal != inverted;
    const std::int64_t origin = fromStart ? start : end;
    // Ratios below 2^30 from an origin below 2^30 can take neither the far-away
    // branch nor the clamp of mapValue, and fit int all the way.
    constexpr double kSafe = (1 << 30) - 1;
    const auto general = [&] {
        for (int i = 0; i < count; ++i)
            pixels[i] = (*this)(values[i]);
    };
    if (logarithmic || span == 0.0 || origin <= -kSafe || origin >= kSafe || count > kMapChunk)
        return general();
    // mapValue divides by the span; multiplying by its inverse instead is off
    // by a few units in the last place, 2^-21 at most below 2^30, which only
    // matters for a ratio that close to a half pixel. Such a chunk (one in a
    // thousand), or one with a value out of the safe range, is mapped again
    // the exact way.
    const double length = static_cast<double>(end) - start;
    const double inverse = 1.0 / span;
    constexpr double kTie = 1.0 / (1 << 20);
    const int base = static_cast<int>(origin);
    const int sign = fromStart ? 1 : -1;
    bool clear = true;
    for (int i = 0; i < count; ++i) {
        const double r = ((values[i] - minimum) * length) * inverse;
        const bool safe = std::fabs(r) < kSafe; // false for NaN too
        const double ratio = safe ? r : 0.0;
        // Halves away from zero, as mapValue rounds.
        int n = static_cast<int>(ratio);
        const double fraction = ratio - static_cast<double>(n);
        n += static_cast<int>(fraction >= 0.5) - static_cast<int>(fraction <= -0.5);
        clear &= safe && std::fabs(std::fabs(fraction) - 0.5) > kTie;
        pixels[i] = base + sign * n;
    }
    if (!clear)
        general();
}

// Beyond this distance from the plot the rasteriser gets pre-cut lines.
constexpr int kFar = 1 << 20;

// Outcode of a point against the plot rectangle (Cohen-Sutherland).
int outcode(int x, int y, const QRect& r) {
    return (x < r.left() ? 1 : 0) | (x > r.right() ? 2 : 0) | (y < r.top() ? 4 : 0) |
           (y > r.bottom() ? 8 : 0);
}

// Collects lines and hands them to the painter in batches of one colour.
// With a raster the lines are written at once; without, they wait for drawLines.
class LineBatch {
public:
    LineBatch(QPainter& painter, ChartRaster* raster) : m_painter(painter), m_raster(raster) {
        if (!m_raster)
            m_lines.reserve(kSize);
    }
    ~LineBatch() { flush(); }
    LineBatch(const LineBatch&) = delete;
    LineBatch& operator=(const LineBatch&) = delete;

    void setColor(QRgb color) {
        if (m_hasColor && color == m_color)
            return;
        flush();
        m_color = color;
        m_hasColor = true;
        m_painter.setPen(QPen(QColor::fromRgba(color), 1));
    }
    void add(const QLine& line) {
        // Neighbouring items often land on the same pixels; one stroke is enough.
        if (m_hasLast && m_last == line)
            return;
        m_last = line;
        m_hasLast = true;
        if (m_raster) {
            m_raster->drawLine(line.x1(), line.y1(), line.x2(), line.y2(), m_color);
            return;
        }
        m_lines.push_back(line);
        if (m_lines.size() == kSize)
            flush();
    }
    void flush() {
        if (!m_lines.empty())
            m_painter.drawLines(m_lines.data(), static_cast<int>(m_lines.size()));
        m_lines.clear();
    }

private:
    static constexpr size_t kSize = 4096;
    QPainter& m_painter;
    ChartRaster* m_raster;
    std::vector<QLine> m_lines;
    QLine m_last;
    bool m_hasLast = false;
    QRgb m_color = 0;
    bool m_hasColor = false;
};

void addClipped(LineBatch& batch, QPoint a, QPoint b, const QRect& plot) {
    const int ca = outcode(a.x(), a.y(), plot);
    const int cb = outcode(b.x(), b.y(), plot);
    if ((ca | cb) == 0) {
        batch.add(QLine(a, b));
        return;
    }
    if (ca & cb)
        return; // wholly on one side of the plot
    const auto nearby = [&plot](QPoint p) {
        return p.x() >= plot.left() - kFar && p.x() <= plot.right() + kFar &&
               p.y() >= plot.top() - kFar && p.y() <= plot.bottom() + kFar;
    };
    if (nearby(a) && nearby(b)) {
        batch.add(QLine(a, b));
        return;
    }
    // Pull far ends in to the plot border (exactly along the line, in doubles).
    double x0 = a.x(), y0 = a.y(), x1 = b.x(), y1 = b.y();
    if (cut_segment_to_box(x0, y0, x1, y1, plot.left(), plot.right(), plot.top(), plot.bottom()))
        batch.add(QLine(static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1),
                        static_cast<int>(y1)));
}

QRgb itemColor(const ChartSeries& series, int i, bool perItem, QRgb seriesColor) {
    return perItem ? series.color(i).rgba() : seriesColor;
}

void paintArrowHead(QPainter& painter, QPoint from, QPoint to, int length, int width,
                    const QColor& color) {
    const double dx = to.x() - from.x();
    const double dy = to.y() - from.y();
    const double norm = std::hypot(dx, dy);
    if (norm < 1.0)
        return;
    const double ux = dx / norm, uy = dy / norm;
    const QPointF tip(to);
    const QPointF base = tip - QPointF(ux, uy) * length;
    const QPointF side = QPointF(-uy, ux) * (width / 2.0);
    const QPointF head[3] = {tip, base + side, base - side};
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawPolygon(head, 3);
}

void paintArrows(QPainter& painter, ChartRaster* raster, const ChartSeries& series,
                 const Mapper& mx, const Mapper& my, const QRect& plot) {
    const auto& xs = series.xValues();
    const auto& ys = series.yValues();
    const auto& exs = series.endXValues();
    const auto& eys = series.endYValues();
    const int n = series.count();
    const bool perItem = series.colorEachPoint() && series.hasOwnColors();
    const QRgb seriesColor = series.seriesColor().rgba();
    painter.setRenderHint(QPainter::Antialiasing, false);
    {
        LineBatch batch(painter, raster);
        batch.setColor(seriesColor);
        // The ends are mapped a chunk at a time, column by column.
        constexpr int kChunk = kMapChunk;
        int x0[kChunk], y0[kChunk], x1[kChunk], y1[kChunk];
        for (int first = 0; first < n; first += kChunk) {
            const int m = std::min(kChunk, n - first);
            mx.map(xs.data() + first, m, x0);
            my.map(ys.data() + first, m, y0);
            mx.map(exs.data() + first, m, x1);
            my.map(eys.data() + first, m, y1);
            for (int j = 0; j < m; ++j) {
                if (perItem)
                    batch.setColor(itemColor(series, first + j, perItem, seriesColor));
                addClipped(batch, QPoint(x0[j], y0[j]), QPoint(x1[j], y1[j]), plot);
            }
        }
    }
    if (series.arrowHeadLength() > 1 || series.arrowHeadWidth() > 1) {
        for (int i = 0; i < n; ++i) {
            const QPoint a(mx(xs[i]), my(ys[i]));
            const QPoint b(mx(exs[i]), my(eys[i]));
            if (plot.contains(b))
                paintArrowHead(painter, a, b, series.arrowHeadLength(), series.arrowHeadWidth(),
                               QColor::fromRgba(itemColor(series, i, perItem, seriesColor)));
        }
    }
}

void paintLine(QPainter& painter, const ChartSeries& series, const Mapper& mx, const Mapper& my,
               const QRect& plot) {
    const int n = series.count();
    const bool perItem = series.colorEachPoint() && series.hasOwnColors();
    const QRgb seriesColor = series.seriesColor().rgba();
    // Curves of a few hundred points look better smoothed; bulk stays sharp.
    const bool smooth = n < 10000;
    painter.setRenderHint(QPainter::Antialiasing, smooth);
    LineBatch batch(painter, nullptr);
    batch.setColor(seriesColor);
    for (int i = 1; i < n; ++i) {
        // A segment takes the colour of the point it leads to.
        if (perItem)
            batch.setColor(itemColor(series, i, perItem, seriesColor));
        addClipped(batch, QPoint(mx(series.x(i - 1)), my(series.y(i - 1))),
                   QPoint(mx(series.x(i)), my(series.y(i))), plot);
    }
}

void paintPointers(QPainter& painter, const ChartSeries& series, const Mapper& mx,
                   const Mapper& my) {
    const int radius = series.pointerSize();
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (int i = 0; i < series.count(); ++i) {
        const QColor color = series.color(i);
        painter.setPen(series.pointerOutline() ? QPen(color.darker(150), 1) : QPen(Qt::NoPen));
        painter.setBrush(series.pointerFilled() ? QBrush(color) : QBrush(Qt::NoBrush));
        if (!series.pointerOutline() && !series.pointerFilled())
            painter.setPen(QPen(color, 1));
        painter.drawEllipse(QPointF(mx(series.x(i)), my(series.y(i))), radius, radius);
    }
}

void paintMarks(QPainter& painter, const ChartSeries& series, const Mapper& mx, const Mapper& my) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setFont(series.marksFont());
    const QFontMetrics metrics(series.marksFont());
    struct Mark {
        int index;
        QString text;
        QPoint point;
    };
    std::vector<Mark> marks;
    std::vector<ChartMarkPlace> wanted;
    const int clearance = series.pointerSize() + 1; // below the marker, not on it
    for (int i = 0; i < series.count(); ++i) {
        QString text = series.label(i);
        if (text.isEmpty())
            text = formatChartNumber(series.y(i), series.marksFormat());
        if (text.trimmed().isEmpty())
            continue;
        const QPoint point(mx(series.endX(i)), my(series.endY(i)));
        const QSize size = metrics.size(Qt::TextSingleLine, text) + QSize(4, 2);
        const QRect above(point.x() - size.width() / 2,
                          point.y() - series.marksArrowLength() - size.height(), size.width(),
                          size.height());
        const QRect below(above.left(), point.y() + series.marksArrowLength() + clearance,
                          size.width(), size.height());
        marks.push_back({i, text, point});
        wanted.push_back({above, below});
    }
    const std::vector<QRect> boxes = place_chart_marks(wanted);
    for (size_t m = 0; m < marks.size(); ++m) {
        const Mark& mark = marks[m];
        const QRect& box = boxes[m];
        if (series.marksArrowLength() > 0) {
            painter.setPen(QPen(series.color(mark.index), 1));
            painter.drawLine(mark.point.x(), mark.point.y(), mark.point.x(),
                             mark.point.y() - series.marksArrowLength());
        }
        if (!series.marksTransparent())
            painter.fillRect(box, QColor(255, 255, 225));
        if (series.marksFrame()) {
            painter.setPen(QPen(Qt::black, 1));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(box.adjusted(0, 0, -1, -1));
        }
        painter.setPen(Qt::black);
        painter.drawText(box, Qt::AlignCenter, mark.text);
    }
}

} // namespace

void paintChartSeries(QPainter& painter, QImage* image, const ChartSeries& series,
                      const QRect& plot) {
    const ChartAxis* xAxis = series.xAxis();
    const ChartAxis* yAxis = series.yAxis();
    if (!series.isVisible() || series.count() == 0 || !xAxis || !yAxis)
        return;
    const Mapper mx(*xAxis);
    const Mapper my(*yAxis);

    painter.save();
    // Within whatever the caller clips to (a chart placed on a page).
    painter.save();
    painter.setClipRect(plot, Qt::IntersectClip);
    switch (series.kind()) {
    case ChartSeries::Kind::Arrow: {
        std::optional<ChartRaster> raster;
        if (image && ChartRaster::usable(*image)) {
            raster.emplace(*image);
            raster->setClip(plot);
        }
        paintArrows(painter, raster ? &*raster : nullptr, series, mx, my, plot);
        break;
    }
    case ChartSeries::Kind::Line:
        paintLine(painter, series, mx, my, plot);
        if (series.pointerVisible())
            paintPointers(painter, series, mx, my);
        break;
    case ChartSeries::Kind::Point:
        if (series.pointerVisible())
            paintPointers(painter, series, mx, my);
        break;
    }
    painter.restore(); // marks may stand outside the plot
    if (series.marksVisible())
        paintMarks(painter, series, mx, my);
    painter.restore();
}

void mapChartValues(const ChartAxis& axis, const double* values, int count, int* pixels) {
    const Mapper mapper(axis);
    for (int first = 0; first < count; first += kMapChunk)
        mapper.map(values + first, std::min(kMapChunk, count - first), pixels + first);
}

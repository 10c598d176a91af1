#include "chart/chart_axis_painter.h"

#include "chart/chart_axis.h"
#include "chart/chart_number_format.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int kGap = 3;          // between ticks, labels and title
constexpr int kLabelSpacing = 8; // least free room between neighbouring labels
constexpr int kMinorTickLength = 2;

int outerTick(const ChartAxis& axis) {
    return axis.ticksVisible() ? axis.tickLength() : 0;
}

bool titleAcross(const ChartAxis& axis) {
    // A title reads across the axis when turned by 90 or 270 degrees on a
    // horizontal axis, or by 0 or 180 on a vertical one.
    const bool turned = axis.titleAngle() % 180 != 0;
    return axis.isHorizontal() == turned;
}

int titleThickness(const ChartAxis& axis) {
    if (axis.title().isEmpty())
        return 0;
    const QFontMetrics metrics(axis.titleFont());
    const int along = metrics.height();
    return (titleAcross(axis) ? metrics.horizontalAdvance(axis.title()) : along) + kGap;
}

QStringList labelTexts(const ChartAxis& axis, const ChartTicks& ticks) {
    QStringList labels;
    labels.reserve(static_cast<int>(ticks.major.size()));
    for (const double value : ticks.major)
        labels << formatChartNumber(value, axis.labelFormat(), ticks.decimals);
    return labels;
}

ChartTicks chooseTicks(const ChartAxis& axis, int length, int spacing) {
    return axis.isLogarithmic() ? logChartTicks(axis.minimum(), axis.maximum(), length, spacing)
                                : linearChartTicks(axis.minimum(), axis.maximum(), length, spacing,
                                                   axis.increment());
}

} // namespace

ChartAxisScale layoutChartAxis(const ChartAxis& axis, int pixelLength) {
    ChartAxisScale scale;
    if (!axis.isVisible())
        return scale;
    const QFontMetrics metrics(axis.labelFont());
    const bool horizontal = axis.isHorizontal();
    const int length = std::max(1, pixelLength);

    // Along a vertical axis labels are one line high; along a horizontal one
    // their width decides, which is only known once the values are: widen the
    // spacing until the widest label fits.
    int spacing = metrics.height() + kLabelSpacing / 2;
    for (int attempt = 0; attempt < 4; ++attempt) {
        scale.ticks = chooseTicks(axis, length, spacing);
        scale.labels = labelTexts(axis, scale.ticks);
        if (!horizontal)
            break;
        int widest = 0;
        for (const QString& label : scale.labels)
            widest = std::max(widest, metrics.horizontalAdvance(label));
        const int needed = widest + kLabelSpacing;
        if (needed <= spacing)
            break;
        spacing = needed;
    }

    int labelExtent = 0;
    if (axis.labelsVisible() && !scale.labels.isEmpty()) {
        if (horizontal) {
            labelExtent = metrics.height();
            scale.overhangStart = metrics.horizontalAdvance(scale.labels.front()) / 2;
            scale.overhangEnd = metrics.horizontalAdvance(scale.labels.back()) / 2;
        } else {
            for (const QString& label : scale.labels)
                labelExtent = std::max(labelExtent, metrics.horizontalAdvance(label));
            scale.overhangStart = scale.overhangEnd = metrics.height() / 2;
        }
        labelExtent += kGap;
    }
    scale.thickness = outerTick(axis) + kGap + labelExtent + titleThickness(axis);
    return scale;
}

void paintChartAxisGrid(QPainter& painter, const ChartAxis& axis, const ChartAxisScale& scale,
                        const QRect& plot) {
    if (!axis.isVisible() || !axis.isGridVisible())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(axis.gridColor(), 1, Qt::SolidLine));
    for (const double value : scale.ticks.major) {
        const int p = axis.valueToPixel(value);
        if (axis.isHorizontal()) {
            if (p > plot.left() && p < plot.right())
                painter.drawLine(p, plot.top(), p, plot.bottom());
        } else if (p > plot.top() && p < plot.bottom()) {
            painter.drawLine(plot.left(), p, plot.right(), p);
        }
    }
    painter.restore();
}

void paintChartAxis(QPainter& painter, const ChartAxis& axis, const ChartAxisScale& scale,
                    const QRect& plot) {
    if (!axis.isVisible())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const auto position = axis.position();
    const bool horizontal = axis.isHorizontal();
    // The edge of the plot the axis runs along, and the outward direction.
    int edge = 0;
    int outward = 1;
    switch (position) {
    case ChartAxis::Position::Bottom:
        edge = plot.bottom();
        outward = 1;
        break;
    case ChartAxis::Position::Top:
        edge = plot.top();
        outward = -1;
        break;
    case ChartAxis::Position::Left:
        edge = plot.left();
        outward = -1;
        break;
    case ChartAxis::Position::Right:
        edge = plot.right();
        outward = 1;
        break;
    }
    auto tick = [&](int p, int from, int to) {
        if (horizontal)
            painter.drawLine(p, edge + outward * from, p, edge + outward * to);
        else
            painter.drawLine(edge + outward * from, p, edge + outward * to, p);
    };

    if (axis.isAxisLineVisible() && axis.axisLineWidth() > 0) {
        painter.setPen(QPen(Qt::black, axis.axisLineWidth(), Qt::SolidLine, Qt::FlatCap));
        if (horizontal)
            painter.drawLine(plot.left(), edge, plot.right(), edge);
        else
            painter.drawLine(edge, plot.top(), edge, plot.bottom());
    }

    painter.setPen(QPen(axis.tickColor(), 1));
    const int low = horizontal ? plot.left() : plot.top();
    const int high = horizontal ? plot.right() : plot.bottom();
    for (const double value : scale.ticks.major) {
        const int p = axis.valueToPixel(value);
        if (p < low || p > high)
            continue;
        if (axis.ticksVisible() && axis.tickLength() > 0)
            tick(p, 0, axis.tickLength());
        if (axis.innerTickLength() > 0)
            tick(p, 0, -axis.innerTickLength());
    }
    if (axis.minorTicksVisible() && axis.ticksVisible()) {
        for (const double value : scale.ticks.minor) {
            const int p = axis.valueToPixel(value);
            if (p >= low && p <= high)
                tick(p, 0, kMinorTickLength);
        }
    }

    // Labels, centred on their tick along the axis.
    const int labelOffset = outerTick(axis) + kGap;
    int labelExtent = 0;
    if (axis.labelsVisible()) {
        painter.setFont(axis.labelFont());
        painter.setPen(Qt::black);
        const QFontMetrics metrics(axis.labelFont());
        for (int i = 0; i < scale.labels.size(); ++i) {
            const int p = axis.valueToPixel(scale.ticks.major[static_cast<size_t>(i)]);
            if (p < low || p > high)
                continue;
            const QString& text = scale.labels[i];
            const int width = metrics.horizontalAdvance(text);
            const int height = metrics.height();
            QRect box;
            Qt::Alignment align = Qt::AlignCenter;
            switch (position) {
            case ChartAxis::Position::Bottom:
                box = QRect(p - width / 2 - 1, edge + labelOffset, width + 2, height);
                break;
            case ChartAxis::Position::Top:
                box = QRect(p - width / 2 - 1, edge - labelOffset - height, width + 2, height);
                break;
            case ChartAxis::Position::Left:
                box = QRect(edge - labelOffset - width - 1, p - height / 2, width + 1, height);
                align = Qt::AlignRight | Qt::AlignVCenter;
                break;
            case ChartAxis::Position::Right:
                box = QRect(edge + labelOffset, p - height / 2, width + 1, height);
                align = Qt::AlignLeft | Qt::AlignVCenter;
                break;
            }
            painter.drawText(box, align, text);
        }
        labelExtent = scale.thickness - labelOffset - titleThickness(axis);
    }

    // Title beyond the labels, centred along the axis.
    if (!axis.title().isEmpty()) {
        painter.setFont(axis.titleFont());
        painter.setPen(Qt::black);
        const QFontMetrics metrics(axis.titleFont());
        const int distance = labelOffset + labelExtent;
        const int textWidth = metrics.horizontalAdvance(axis.title());
        const int across = titleAcross(axis) ? textWidth : metrics.height();
        // Centre of the title box.
        const int along =
            horizontal ? (plot.left() + plot.right()) / 2 : (plot.top() + plot.bottom()) / 2;
        const int away = edge + outward * (distance + across / 2);
        const QPoint centre = horizontal ? QPoint(along, away) : QPoint(away, along);
        painter.translate(centre);
        painter.rotate(-axis.titleAngle());
        painter.drawText(
            QRect(-textWidth / 2 - 2, -metrics.height() / 2, textWidth + 4, metrics.height()),
            Qt::AlignCenter, axis.title());
    }
    painter.restore();
}

#include "chart/chart_legend.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kPadding = 4;
constexpr int kEntryGap = 10;
constexpr int kSwatchGap = 4;

} // namespace

ChartLegend::ChartLegend(std::vector<ChartLegendEntry> entries, const QFont& font, int swatchWidth,
                         int shadowSize, bool vertical)
    : m_entries(std::move(entries)), m_font(font), m_swatchWidth(std::max(0, swatchWidth)),
      m_shadowSize(std::max(0, shadowSize)), m_vertical(vertical) {}

int ChartLegend::entryWidth(const ChartLegendEntry& entry) const {
    // Rounded up from the exact advance, so that no title loses its last pixels.
    return m_swatchWidth + kSwatchGap +
           static_cast<int>(std::ceil(QFontMetricsF(m_font).horizontalAdvance(entry.title))) + 1;
}

std::vector<QRect> ChartLegend::entryRects(const QRect& inner) const {
    std::vector<QRect> rects;
    const int height = QFontMetrics(m_font).height();
    int x = inner.left();
    int y = inner.top();
    for (const auto& entry : m_entries) {
        const int width = entryWidth(entry);
        if (m_vertical) {
            rects.emplace_back(inner.left(), y, width, height);
            y += height;
            continue;
        }
        if (x > inner.left() && x + width > inner.left() + inner.width()) {
            x = inner.left();
            y += height;
        }
        rects.emplace_back(x, y, width, height);
        x += width + kEntryGap;
    }
    return rects;
}

QSize ChartLegend::sizeFor(int maxWidth) const {
    if (m_entries.empty())
        return QSize();
    const int innerMax = std::max(1, maxWidth - 2 * kPadding - m_shadowSize);
    const auto rects = entryRects(QRect(0, 0, innerMax, 1 << 20));
    QRect bounds;
    for (const QRect& r : rects)
        bounds = bounds.united(r);
    return QSize(bounds.width() + 2 * kPadding + m_shadowSize,
                 bounds.height() + 2 * kPadding + m_shadowSize);
}

void ChartLegend::paint(QPainter& painter, const QRect& box) const {
    if (m_entries.empty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QRect frame = box.adjusted(0, 0, -m_shadowSize, -m_shadowSize);
    if (m_shadowSize > 0)
        painter.fillRect(frame.translated(m_shadowSize, m_shadowSize), QColor(128, 128, 128));
    painter.fillRect(frame, Qt::white);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame.adjusted(0, 0, -1, -1));

    painter.setFont(m_font);
    const QFontMetrics metrics(m_font);
    const auto rects = entryRects(frame.adjusted(kPadding, kPadding, -kPadding, -kPadding));
    for (size_t i = 0; i < m_entries.size(); ++i) {
        const QRect& r = rects[i];
        const int swatchHeight = std::max(4, metrics.ascent() / 2);
        const QRect swatch(r.left(), r.center().y() - swatchHeight / 2, m_swatchWidth,
                           swatchHeight);
        painter.fillRect(swatch, m_entries[i].color);
        painter.setPen(QPen(Qt::black, 1));
        painter.drawRect(swatch.adjusted(0, 0, -1, -1));
        painter.drawText(QRect(r.left() + m_swatchWidth + kSwatchGap, r.top(),
                               r.width() - m_swatchWidth - kSwatchGap, r.height()),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, m_entries[i].title);
    }
    painter.restore();
}

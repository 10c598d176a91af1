#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

#include <vector>

class QPainter;

// One line of a chart's legend: the colour swatch and the title of a series.
struct ChartLegendEntry {
    QString title;
    QColor color;
};

// The legend box: entries side by side, wrapping into rows (horizontal), or
// one above the other (vertical).
class ChartLegend {
public:
    ChartLegend(std::vector<ChartLegendEntry> entries, const QFont& font, int swatchWidth,
                int shadowSize, bool vertical);

    // Size of the box, at most maxWidth wide (shadow included).
    QSize sizeFor(int maxWidth) const;
    void paint(QPainter& painter, const QRect& box) const;

private:
    std::vector<QRect> entryRects(const QRect& inner) const;
    int entryWidth(const ChartLegendEntry& entry) const;

    std::vector<ChartLegendEntry> m_entries;
    QFont m_font;
    int m_swatchWidth;
    int m_shadowSize;
    bool m_vertical;
};

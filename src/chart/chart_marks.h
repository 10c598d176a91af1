#pragma once

#include <QRect>

#include <vector>

// Where the marks (label texts) of a series' points go. Each mark wants its
// box above its point; marks are placed from the highest point down, and a
// mark whose box would cover one placed before it goes below its point, and
// where that is taken too, further up in steps of its own height, so that
// every label can be read and the labels keep the order of their points.
struct ChartMarkPlace {
    QRect above; // centred above the point, as the marks are drawn by default
    QRect below; // centred below the point
};
std::vector<QRect> place_chart_marks(const std::vector<ChartMarkPlace>& wanted);

#pragma once

#include <vector>

// Where an axis puts its ticks: labelled major ticks at readable values and
// unlabelled minor ticks between them.
struct ChartTicks {
    std::vector<double> major;
    std::vector<double> minor;
    // Decimals the labels need so that neighbouring labels differ.
    int decimals = 0;
};

// The smallest step of the form 1, 2 or 5 times a power of ten that is not
// below rawStep (rawStep > 0).
double niceChartStep(double rawStep);

// Linear axis: steps of 1, 2 or 5 x 10^n, at least minSpacing pixels apart on
// an axis pixelLength pixels long, and never finer than increment (when > 0).
ChartTicks linearChartTicks(double minimum, double maximum, int pixelLength, int minSpacing,
                            double increment = 0.0);

// Logarithmic axis: the powers of ten in range (thinned when crowded, with 2
// and 5 multiples added when the range spans less than a decade) and minor
// ticks at 2..9 times each power.
ChartTicks logChartTicks(double minimum, double maximum, int pixelLength, int minSpacing);

#include "chart/chart_ticks.h"

#include <algorithm>
#include <cmath>

namespace {

// A range with more ticks than this is a sign of a broken scale, not a wish.
constexpr int kMaxTicks = 1000;

int decimalsFor(double step) {
    if (!(step > 0.0))
        return 0;
    const double exponent = std::floor(std::log10(step) + 1e-9);
    return exponent < 0 ? static_cast<int>(-exponent) : 0;
}

// 10^k as the nearest double, as the literal 1e-6 is: exact powers up to
// 10^22, their reciprocals correctly rounded. std::pow need not be exact
// (it is not in every C library), and tick values are compared and shown.
double powerOfTen(int k) {
    if (k < -22 || k > 22)
        return std::pow(10.0, k);
    double exact = 1.0;
    for (int i = 0; i < std::abs(k); ++i)
        exact *= 10.0;
    return k < 0 ? 1.0 / exact : exact;
}

bool inRange(double value, double minimum, double maximum) {
    const double slack = (maximum - minimum) * 1e-9;
    return value >= minimum - slack && value <= maximum + slack;
}

} // namespace

double niceChartStep(double rawStep) {
    if (!(rawStep > 0.0) || !std::isfinite(rawStep))
        return 1.0;
    const double power = powerOfTen(static_cast<int>(std::floor(std::log10(rawStep))));
    for (const double mantissa : {1.0, 2.0, 5.0, 10.0}) {
        // The tolerance keeps 0.2 from becoming 0.5 through representation error.
        if (mantissa * power >= rawStep * (1.0 - 1e-9))
            return mantissa * power;
    }
    return 10.0 * power;
}

ChartTicks linearChartTicks(double minimum, double maximum, int pixelLength, int minSpacing,
                            double increment) {
    ChartTicks ticks;
    const double range = maximum - minimum;
    if (!std::isfinite(minimum) || !std::isfinite(maximum) || !std::isfinite(range) || range < 0.0)
        return ticks;
    if (range == 0.0) {
        ticks.major.push_back(minimum);
        return ticks;
    }
    const int room = std::max(1, pixelLength / std::max(1, minSpacing));
    double step = niceChartStep(range / room);
    if (increment > 0.0 && step < increment)
        step = increment;
    if (range / step > kMaxTicks)
        step = niceChartStep(range / kMaxTicks);
    ticks.decimals = decimalsFor(step);

    const double first = std::ceil(minimum / step - 1e-9);
    const double last = std::floor(maximum / step + 1e-9);
    for (double k = first; k <= last; k += 1.0) {
        double value = k * step;
        if (std::fabs(value) < step * 1e-9)
            value = 0.0;
        ticks.major.push_back(value);
    }

    // Minor ticks split a step into fifths, or into quarters for a step of 2.
    const double mantissa =
        step / powerOfTen(static_cast<int>(std::floor(std::log10(step) + 1e-9)));
    const int parts = std::fabs(mantissa - 2.0) < 1e-6 ? 4 : 5;
    const double minorStep = step / parts;
    for (double k = std::ceil(minimum / minorStep - 1e-9);
         k <= std::floor(maximum / minorStep + 1e-9); k += 1.0) {
        if (std::fmod(std::fabs(k), parts) == 0.0)
            continue;
        ticks.minor.push_back(k * minorStep);
        if (static_cast<int>(ticks.minor.size()) > kMaxTicks * 5)
            break;
    }
    return ticks;
}

ChartTicks logChartTicks(double minimum, double maximum, int pixelLength, int minSpacing) {
    if (!(minimum > 0.0) || !(maximum > minimum) || !std::isfinite(maximum))
        return linearChartTicks(minimum, maximum, pixelLength, minSpacing);
    ChartTicks ticks;
    const double lo = std::log10(minimum);
    const double hi = std::log10(maximum);
    const double pixelsPerDecade = pixelLength / (hi - lo);
    const int firstDecade = static_cast<int>(std::floor(lo + 1e-9));
    const int lastDecade = static_cast<int>(std::ceil(hi - 1e-9));
    if (lastDecade - firstDecade > kMaxTicks)
        return ticks;

    // Thin out the decades when their labels would collide.
    int every = 1;
    while (every * pixelsPerDecade < minSpacing && every < kMaxTicks)
        ++every;
    int decadesInRange = 0;
    for (int d = firstDecade; d <= lastDecade; ++d) {
        const double value = powerOfTen(d);
        if (inRange(value, minimum, maximum))
            ++decadesInRange;
    }
    const bool withMultiples = decadesInRange < 2;

    for (int d = firstDecade; d <= lastDecade; ++d) {
        const double power = powerOfTen(d);
        for (int m = 1; m <= 9; ++m) {
            const double value = m * power;
            if (!inRange(value, minimum, maximum))
                continue;
            const bool labelled =
                (m == 1 && (d - firstDecade) % every == 0) || (withMultiples && (m == 2 || m == 5));
            if (labelled) {
                ticks.major.push_back(value);
                ticks.decimals = std::max(ticks.decimals, d < 0 ? -d : 0);
            } else if (pixelsPerDecade >= 24.0) {
                ticks.minor.push_back(value);
            }
        }
    }
    if (ticks.major.size() < 2)
        return linearChartTicks(minimum, maximum, pixelLength, minSpacing);
    return ticks;
}

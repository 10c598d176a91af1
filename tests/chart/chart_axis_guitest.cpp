// Value-to-pixel mapping and range refusal of ChartAxis.
#include "chart/chart.h"
#include "chart/chart_series_painter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

struct MappingCase {
    const char* name;
    double value, minimum, maximum;
    bool logarithmic, horizontal;
    int start, end;
    int expected;
};

class ChartAxisMapping : public ::testing::TestWithParam<MappingCase> {};

TEST_P(ChartAxisMapping, MapsValueToExpectedPixel) {
    const MappingCase& c = GetParam();
    EXPECT_EQ(ChartAxis::mapValue(c.value, c.minimum, c.maximum, c.logarithmic, false, c.horizontal,
                                  c.start, c.end),
              c.expected);
}

const MappingCase kMappingCases[] = {
    // Linear, horizontal: start + round((v - min) * len / range).
    {"LinearStart", 0.0, 0.0, 100.0, false, true, 50, 250, 50},
    {"LinearEnd", 100.0, 0.0, 100.0, false, true, 50, 250, 250},
    {"LinearMiddle", 25.0, 0.0, 100.0, false, true, 50, 250, 100},
    // 1/3 of 200 px is 66.67 -> 67; 1/6 of it 33.33 -> 33.
    {"LinearRoundsUp", 1.0, 0.0, 3.0, false, true, 0, 200, 67},
    {"LinearRoundsDown", 1.0, 0.0, 6.0, false, true, 0, 200, 33},
    {"LinearBelowRange", -50.0, 0.0, 100.0, false, true, 50, 250, -50},
    {"LinearAboveRange", 150.0, 0.0, 100.0, false, true, 50, 250, 350},
    // Vertical: end - n, so larger values lie higher.
    {"VerticalMinimumAtBottom", 0.0, 0.0, 1000.0, false, false, 10, 310, 310},
    {"VerticalMaximumAtTop", 1000.0, 0.0, 1000.0, false, false, 10, 310, 10},
    {"VerticalQuarter", 250.0, 0.0, 1000.0, false, false, 10, 310, 235},
    {"VerticalNegativeOffsetRounds", -1.0, 0.0, 3.0, false, false, 0, 200, 267},
    // Zero range and far-away values: the axis centre.
    {"ZeroRangeCentre", 5.0, 5.0, 5.0, false, true, 10, 21, 15},
    {"FarPositiveCentre", 1.7e100, 0.0, 150.0, false, true, 40, 300, 170},
    {"FarNegativeCentre", -1.7e100, 0.0, 150.0, false, true, 40, 300, 170},
    {"FarVerticalCentre", 1.7e100, 0.0, 1000.0, false, false, 20, 221, 120},
    {"InfinityCentre", INFINITY, 0.0, 1.0, false, true, 0, 100, 50},
    {"NanCentre", NAN, 0.0, 1.0, false, true, 0, 100, 50},
    // Just below the limit is still mapped, at and above it goes to the centre.
    {"LimitMinusOneMapped", 2147483646.0, 0.0, 1.0, false, true, 0, 1, 2147483646},
    {"LimitCentre", 2147483647.0, 0.0, 1.0, false, true, 0, 1, 0},
    // Logarithmic: decades evenly spaced.
    {"LogDecade", 1.0, 0.1, 10.0, true, true, 0, 200, 100},
    {"LogLowEnd", 0.1, 0.1, 10.0, true, true, 0, 200, 0},
    {"LogHighEnd", 10.0, 0.1, 10.0, true, true, 0, 200, 200},
    {"LogVertical", 1.0, 0.1, 10.0, true, false, 0, 200, 100},
    {"LogZeroToLowEndHorizontal", 0.0, 0.08, 10.0, true, true, 30, 230, 30},
    {"LogNegativeToLowEndVertical", -3.0, 0.08, 10.0, true, false, 30, 230, 230},
    {"LogZeroSpanCentre", 3.0, 2.0, 2.0, true, true, 0, 100, 50},
    {"LogFarCentre", 1e300, 1.0, 1.0000001, true, true, 0, 100, 50},
};

INSTANTIATE_TEST_SUITE_P(Cases, ChartAxisMapping, ::testing::ValuesIn(kMappingCases),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(ChartAxisMappingRounding, RoundsToNearestNotTruncated) {
    // 0.7 of a pixel must give 1, 0.3 must give 0, on both directions.
    EXPECT_EQ(ChartAxis::mapValue(0.7, 0.0, 100.0, false, false, true, 0, 100), 1);
    EXPECT_EQ(ChartAxis::mapValue(0.3, 0.0, 100.0, false, false, true, 0, 100), 0);
    EXPECT_EQ(ChartAxis::mapValue(-0.7, 0.0, 100.0, false, false, true, 0, 100), -1);
    EXPECT_EQ(ChartAxis::mapValue(0.7, 0.0, 100.0, false, false, false, 0, 100), 99);
}

TEST(ChartAxisMappingRounding, LogSpacingIsEven) {
    // Points spaced evenly in log10 land at evenly spaced pixels.
    int previous = ChartAxis::mapValue(0.08, 0.08, 10.0, true, false, true, 0, 1000);
    const double step = (std::log10(10.0) - std::log10(0.08)) / 10;
    for (int g = 1; g <= 10; ++g) {
        const double v = std::pow(10.0, std::log10(0.08) + g * step);
        const int p = ChartAxis::mapValue(v, 0.08, 10.0, true, false, true, 0, 1000);
        EXPECT_EQ(p - previous, 100) << "g=" << g;
        previous = p;
    }
}

TEST(ChartAxisMappingRounding, InvertedAxisSwapsEnds) {
    EXPECT_EQ(ChartAxis::mapValue(0.0, 0.0, 10.0, false, true, true, 0, 100), 100);
    EXPECT_EQ(ChartAxis::mapValue(0.0, 0.0, 10.0, false, true, false, 0, 100), 0);
}

TEST(ChartAxisMappingRounding, NearLimitOffsetDoesNotOverflow) {
    // start + n beyond the int range clamps rather than wrapping to a negative.
    EXPECT_EQ(ChartAxis::mapValue(2147483646.0, 0.0, 1.0, false, false, true, 1000, 1001),
              2147483647);
    EXPECT_EQ(ChartAxis::mapValue(2147483646.0, 0.0, 1.0, false, false, false, -1001, -1000),
              std::numeric_limits<int>::min());
}

TEST(ChartAxisMappingRounding, AxisUsesItsChartPixelSpan) {
    Chart chart;
    chart.resize(400, 300);
    ChartAxis& bottom = chart.bottomAxis();
    bottom.setMinMax(0.0, 10.0);
    const QRect plot = chart.plotRect();
    EXPECT_EQ(bottom.pixelStart(), plot.left());
    EXPECT_EQ(bottom.pixelEnd(), plot.right());
    EXPECT_EQ(chart.leftAxis().pixelStart(), plot.top());
    EXPECT_EQ(chart.leftAxis().pixelEnd(), plot.bottom());
    EXPECT_EQ(bottom.valueToPixel(5.0),
              ChartAxis::mapValue(5.0, 0.0, 10.0, false, false, true, plot.left(), plot.right()));
    EXPECT_EQ(chart.leftAxis().valueToPixel(chart.leftAxis().maximum()), plot.top());
}

TEST(ChartAxisMappingRounding, PixelToValueInvertsMapping) {
    Chart chart;
    chart.resize(500, 400);
    chart.bottomAxis().setLogarithmic(true);
    chart.bottomAxis().setMinMax(0.08, 10.0);
    chart.leftAxis().setMinMax(-50.0, 1300.0);
    for (const double v : {0.1, 1.0, 6.0}) {
        const int p = chart.bottomAxis().valueToPixel(v);
        EXPECT_EQ(chart.bottomAxis().valueToPixel(chart.bottomAxis().pixelToValue(p)), p);
    }
    for (const double v : {-50.0, 0.0, 1234.5}) {
        const int p = chart.leftAxis().valueToPixel(v);
        EXPECT_EQ(chart.leftAxis().valueToPixel(chart.leftAxis().pixelToValue(p)), p);
    }
}

// ---- Range refusal ----

std::string messageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& e) {
        return e.what();
    }
    return {};
}

TEST(ChartAxisRange, MinimumAboveMaximumIsRefusedAndChangesNothing) {
    Chart chart;
    ChartAxis& axis = chart.leftAxis();
    axis.setMinMax(0.0, 1000.0);
    EXPECT_EQ(messageOf([&] { axis.setMinimum(1000.5); }),
              "軸の最小値は最大値以下でなければなりません");
    EXPECT_EQ(axis.minimum(), 0.0);
    EXPECT_EQ(axis.maximum(), 1000.0);
    EXPECT_THROW(axis.setMinimum(2000.0), ChartRangeError);
}

TEST(ChartAxisRange, MaximumBelowMinimumIsRefusedAndChangesNothing) {
    Chart chart;
    ChartAxis& axis = chart.bottomAxis();
    axis.setMinMax(0.7, 150.0);
    EXPECT_EQ(messageOf([&] { axis.setMaximum(0.5); }),
              "軸の最大値は最小値以上でなければなりません");
    EXPECT_EQ(axis.minimum(), 0.7);
    EXPECT_EQ(axis.maximum(), 150.0);
}

TEST(ChartAxisRange, EqualEndsAreAcceptedAndOrderOfCallsMatters) {
    Chart chart;
    ChartAxis& axis = chart.bottomAxis();
    axis.setMinMax(0.0, 10.0);
    EXPECT_NO_THROW(axis.setMinimum(10.0));
    EXPECT_NO_THROW(axis.setMaximum(10.0));
    // Moving a range upwards past its maximum works only maximum first.
    EXPECT_THROW(axis.setMinimum(20.0), ChartRangeError);
    axis.setMaximum(30.0);
    axis.setMinimum(20.0);
    EXPECT_EQ(axis.minimum(), 20.0);
    EXPECT_EQ(axis.maximum(), 30.0);
    EXPECT_EQ(messageOf([&] { axis.setMinMax(5.0, 4.0); }),
              "軸の最小値は最大値以下でなければなりません");
    EXPECT_EQ(axis.minimum(), 20.0);
}

// The series painter maps millions of values in bulk by its own arithmetic;
// every value must land on the pixel valueToPixel gives it.
TEST(ChartAxisBulkMapping, GivesTheSamePixelAsValueToPixelForEveryValue) {
    Chart chart;
    chart.resize(500, 400);
    struct Setup {
        double minimum, maximum;
        bool logarithmic, inverted;
    };
    // Whole-pixel ratios make exact half-pixel ties: length / span = 1 or 1/2.
    const int width = chart.bottomAxis().pixelEnd() - chart.bottomAxis().pixelStart();
    const int height = chart.leftAxis().pixelEnd() - chart.leftAxis().pixelStart();
    const Setup setups[] = {
        {0.7, 150.0, false, false},         {0.0, 1000.5, false, false},
        {0.0, double(width), false, false}, {-3.0, 2.0 * height - 3.0, false, true},
        {5.0, 5.0, false, false},           {0.1, 1000.0, true, false},
        {-1e-300, 1e-300, false, false}};
    std::mt19937_64 rng(9);
    for (ChartAxis* axis : {&chart.bottomAxis(), &chart.leftAxis()}) {
        for (const Setup& setup : setups) {
            axis->setMinMax(setup.minimum, setup.maximum);
            axis->setLogarithmic(setup.logarithmic);
            axis->setInverted(setup.inverted);
            const double span = setup.maximum - setup.minimum;
            const double length = axis->pixelEnd() - axis->pixelStart();
            const double wide = span > 0.0 ? span : 1.0;
            std::uniform_real_distribution<double> around(setup.minimum - wide,
                                                          setup.maximum + wide);
            int mismatches = 0;
            const auto check = [&](const std::vector<double>& values) {
                std::vector<int> pixels(values.size());
                mapChartValues(*axis, values.data(), static_cast<int>(values.size()),
                               pixels.data());
                for (size_t i = 0; i < values.size(); ++i)
                    if (pixels[i] != axis->valueToPixel(values[i]) && ++mismatches < 5)
                        ADD_FAILURE() << "value " << values[i] << " on " << setup.minimum << ".."
                                      << setup.maximum << ": " << pixels[i] << " instead of "
                                      << axis->valueToPixel(values[i]);
            };
            const auto randomValues = [&](int count) {
                std::vector<double> values;
                for (int i = 0; i < count; ++i)
                    values.push_back(around(rng));
                return values;
            };
            // Plain values, several chunks of them.
            check(randomValues(2000));
            // Values whose ratio is a half pixel or next to one.
            std::vector<double> ties;
            for (int i = 0; i < 700; ++i) {
                const double tie = setup.minimum + (i + 0.5) * wide / length;
                ties.insert(ties.end(),
                            {tie, std::nextafter(tie, 1e300), std::nextafter(tie, -1e300)});
            }
            check(ties);
            // Ratios near the limits of the mapping and values beyond any range,
            // each amid ordinary values.
            std::vector<double> odd = {1.7e100,
                                       -1.7e100,
                                       0.0,
                                       -1.0,
                                       std::numeric_limits<double>::infinity(),
                                       -std::numeric_limits<double>::infinity(),
                                       std::numeric_limits<double>::quiet_NaN()};
            for (const double ratio : {1073741823.0, 1073741824.5, 2147483646.5, 2147483647.0,
                                       -1073741824.5, -2147483647.5, 5e9})
                odd.push_back(setup.minimum + ratio * wide / length);
            for (const double value : odd) {
                std::vector<double> values = randomValues(300);
                values[150] = value;
                check(values);
            }
            EXPECT_EQ(mismatches, 0);
        }
    }
}

} // namespace

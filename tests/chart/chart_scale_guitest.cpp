// Tick choice and label texts of the chart axes.
#include "chart/chart_axis.h"
#include "chart/chart_axis_painter.h"
#include "chart/chart_number_format.h"
#include "chart/chart_ticks.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

TEST(ChartTicks, NiceStepIsOneTwoOrFiveTimesAPowerOfTen) {
    const std::pair<double, double> cases[] = {
        {0.7, 1.0},  {1.0, 1.0},     {1.01, 2.0},   {2.0, 2.0}, {3.3, 5.0},
        {7.0, 10.0}, {130.0, 200.0}, {0.013, 0.02}, {0.2, 0.2}, {4.9e-5, 5e-5}};
    for (const auto& [raw, nice] : cases)
        EXPECT_DOUBLE_EQ(niceChartStep(raw), nice) << raw;
}

TEST(ChartTicks, LinearTicksAreMultiplesOfTheStepInsideTheRange) {
    // 0.7 to 150 over 300 px with labels 30 px apart: step 20.
    const ChartTicks ticks = linearChartTicks(0.7, 150.0, 300, 30);
    EXPECT_EQ(ticks.major, (std::vector<double>{20, 40, 60, 80, 100, 120, 140}));
    EXPECT_EQ(ticks.decimals, 0);
    for (const double m : ticks.minor) {
        EXPECT_GE(m, 0.7);
        EXPECT_LE(m, 150.0);
        EXPECT_NE(std::fmod(m, 20.0), 0.0);
    }
}

TEST(ChartTicks, FineStepsGetDecimalsAndExactZero) {
    const ChartTicks ticks = linearChartTicks(-0.1, 0.7, 160, 20);
    ASSERT_FALSE(ticks.major.empty());
    EXPECT_EQ(ticks.decimals, 1);
    // The tick at zero is exactly zero, not a rounding remainder.
    EXPECT_NE(std::find(ticks.major.begin(), ticks.major.end(), 0.0), ticks.major.end());
}

TEST(ChartTicks, IncrementIsALowerBoundOfTheStep) {
    const ChartTicks ticks = linearChartTicks(0.0, 2.0, 1000, 10, 0.5);
    EXPECT_EQ(ticks.major, (std::vector<double>{0.0, 0.5, 1.0, 1.5, 2.0}));
}

TEST(ChartTicks, BrokenRangesGiveNoTicksInsteadOfLooping) {
    EXPECT_TRUE(linearChartTicks(0.0, INFINITY, 300, 20).major.empty());
    EXPECT_TRUE(linearChartTicks(NAN, 1.0, 300, 20).major.empty());
    EXPECT_EQ(linearChartTicks(5.0, 5.0, 300, 20).major, (std::vector<double>{5.0}));
    EXPECT_LE(linearChartTicks(0.0, 1e300, 300, 1).major.size(), 1001u);
}

TEST(ChartTicks, LogTicksLabelDecadesWithMinorTicksBetween) {
    const ChartTicks ticks = logChartTicks(0.08, 10.0, 300, 20);
    EXPECT_EQ(ticks.major, (std::vector<double>{0.1, 1.0, 10.0}));
    EXPECT_EQ(ticks.decimals, 1);
    // 0.2..0.9 and 2..9 between the decades, 0.08 and 0.09 before the first.
    EXPECT_EQ(ticks.minor.size(), 18u);
}

TEST(ChartTicks, NarrowLogRangeAddsTwoAndFiveMultiples) {
    const ChartTicks ticks = logChartTicks(1.5, 8.0, 300, 20);
    EXPECT_EQ(ticks.major, (std::vector<double>{2.0, 5.0}));
}

TEST(ChartTicks, CrowdedLogDecadesAreThinned) {
    // Twelve decades on 60 px with labels 20 px apart: every fourth decade.
    const ChartTicks ticks = logChartTicks(1e-6, 1e6, 60, 20);
    EXPECT_EQ(ticks.major, (std::vector<double>{1e-6, 1e-2, 1e2, 1e6}));
}

struct FormatCase {
    double value;
    const char* pattern;
    int atLeastDecimals;
    const char* expected;
};

TEST(ChartNumberFormat, PicturePatterns) {
    const FormatCase cases[] = {
        {1234.5, "#,##0.###", 0, "1,234.5"}, {1234567.0, "#,##0", 0, "1,234,567"},
        {229.4, "#,##0", 0, "229"},          {0.5, "0.00", 0, "0.50"},
        {0.5, "#,##0.#", 0, "0.5"},          {0.26, "#,##0.#", 0, "0.3"},
        {-0.0001, "#,##0.##", 0, "0"},       {-1500.25, "#,##0.##", 0, "-1,500.25"},
        {0.1, "#,##0.###", 0, "0.1"},        {0.001, "#,##0", 3, "0.001"},
        {12.0, "0 mm", 0, "12 mm"},          {999.0, "#,##0", 0, "999"},
    };
    for (const FormatCase& c : cases)
        EXPECT_EQ(formatChartNumber(c.value, c.pattern, c.atLeastDecimals).toStdString(),
                  c.expected)
            << c.value << " " << c.pattern;
}

TEST(ChartAxisScale, LabelsOfALogAxisReadAsDecimals) {
    ChartAxis axis(ChartAxis::Position::Bottom);
    axis.setLogarithmic(true);
    axis.setMinMax(0.08, 10.0);
    const ChartAxisScale scale = layoutChartAxis(axis, 300);
    EXPECT_EQ(scale.labels, (QStringList{"0.1", "1", "10"}));
    EXPECT_GT(scale.thickness, 0);
}

TEST(ChartAxisScale, HorizontalLabelsNeverOverlap) {
    ChartAxis axis(ChartAxis::Position::Bottom);
    axis.setMinMax(0.0, 132563.1);
    const QFontMetrics metrics(axis.labelFont());
    for (const int length : {80, 150, 400}) {
        const ChartAxisScale scale = layoutChartAxis(axis, length);
        ASSERT_GE(scale.labels.size(), 1) << length;
        int widest = 0;
        for (const QString& label : scale.labels)
            widest = std::max(widest, metrics.horizontalAdvance(label));
        if (scale.ticks.major.size() >= 2) {
            const double gap = (scale.ticks.major[1] - scale.ticks.major[0]) * length / 132563.1;
            EXPECT_GT(gap, widest) << length;
        }
    }
}

TEST(ChartAxisScale, HiddenAxisTakesNoRoom) {
    ChartAxis axis(ChartAxis::Position::Right);
    axis.setVisible(false);
    EXPECT_EQ(layoutChartAxis(axis, 300).thickness, 0);
}

} // namespace

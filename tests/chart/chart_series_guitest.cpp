// Items of ChartSeries: insertion order, extremes, colours and labels.
#include "chart/chart.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<double> xsOf(const ChartSeries& s) {
    std::vector<double> xs;
    for (int i = 0; i < s.count(); ++i)
        xs.push_back(s.x(i));
    return xs;
}

std::vector<QString> labelsOf(const ChartSeries& s) {
    std::vector<QString> labels;
    for (int i = 0; i < s.count(); ++i)
        labels.push_back(s.label(i));
    return labels;
}

TEST(ChartSeriesOrder, AscendingPointGoesAfterLastNotLargerX) {
    Chart chart;
    ChartSeries* s = chart.addSeries(ChartSeries::Kind::Point, "Series_taupoint");
    s->setXOrder(ChartSeries::XOrder::Ascending);
    s->addPoint(2.0, 1.0, "a");
    s->addPoint(1.0, 2.0, "b");
    s->addPoint(2.0, 3.0, "c"); // equal X: after the existing 2.0
    s->addPoint(3.0, 4.0, "d");
    s->addPoint(1.0, 5.0, "e"); // after b, before a
    EXPECT_EQ(xsOf(*s), (std::vector<double>{1.0, 1.0, 2.0, 2.0, 3.0}));
    EXPECT_EQ(labelsOf(*s), (std::vector<QString>{"b", "e", "a", "c", "d"}));
    EXPECT_EQ(s->y(1), 5.0);
}

TEST(ChartSeriesOrder, NoOrderKeepsInsertionOrder) {
    Chart chart;
    ChartSeries* s = chart.addSeries(ChartSeries::Kind::Line, "LineSeries1");
    s->setXOrder(ChartSeries::XOrder::None);
    for (const double x : {3.0, 1.0, 2.0})
        s->addPoint(x, 0.0);
    EXPECT_EQ(xsOf(*s), (std::vector<double>{3.0, 1.0, 2.0}));
}

TEST(ChartSeriesOrder, ArrowsOrderByStartXAndKeepAllFourValues) {
    Chart chart;
    ChartSeries* s = chart.addSeries(ChartSeries::Kind::Arrow, "Series_dynarea");
    s->setXOrder(ChartSeries::XOrder::Ascending);
    s->addArrow(0.5, 0.1, 0.0, 0.9, "x");
    s->addArrow(0.0, 0.0, 0.7, 0.7, "diag");
    s->addArrow(0.5, 0.2, 0.6, 0.3, "y");
    ASSERT_EQ(s->count(), 3);
    EXPECT_EQ(labelsOf(*s), (std::vector<QString>{"diag", "x", "y"}));
    EXPECT_EQ(s->endX(0), 0.7);
    EXPECT_EQ(s->endY(0), 0.7);
    EXPECT_EQ(s->endX(1), 0.0);
    EXPECT_EQ(s->endY(1), 0.9);
    EXPECT_EQ(s->y(2), 0.2);
}

TEST(ChartSeriesOrder, AddArrowOnPointSeriesIsAProgrammingError) {
    Chart chart;
    ChartSeries* s = chart.addSeries(ChartSeries::Kind::Point, "p");
    EXPECT_THROW(s->addArrow(0, 0, 1, 1), std::logic_error);
    EXPECT_EQ(s->count(), 0);
}

TEST(ChartSeriesExtremes, EmptySeriesGivesZero) {
    Chart chart;
    ChartSeries* s = chart.addSeries(ChartSeries::Kind::Arrow, "Series_dbspring");
    s->addArrow(5, 6, 7, 8);
    s->clear();
    EXPECT_EQ(s->count(), 0);
    EXPECT_EQ(s->minX(), 0.0);
    EXPECT_EQ(s->maxX(), 0.0);
    EXPECT_EQ(s->minY(), 0.0);
    EXPECT_EQ(s->maxY(), 0.0);
}

TEST(ChartSeriesExtremes, ArrowExtremesCoverBothEnds) {
    Chart chart;
    ChartSeries* s = chart.addSeries(ChartSeries::Kind::Arrow, "Series_dbspring");
    s->setXOrder(ChartSeries::XOrder::None);
    // Compression springs: the end (lmax) lies left of the start (lo).
    s->addArrow(30.0, 10.0, 20.0, 80.0);
    s->addArrow(50.0, 5.0, 12.0, 40.0);
    EXPECT_EQ(s->minX(), 12.0);
    EXPECT_EQ(s->maxX(), 50.0);
    EXPECT_EQ(s->minY(), 5.0);
    EXPECT_EQ(s->maxY(), 80.0);
}

TEST(ChartSeriesExtremes, PointExtremesWithNegatives) {
    Chart chart;
    ChartSeries* s = chart.addSeries(ChartSeries::Kind::Line, "l");
    s->addPoint(-3.0, 7.0);
    s->addPoint(4.0, -9.0);
    EXPECT_EQ(s->minX(), -3.0);
    EXPECT_EQ(s->maxX(), 4.0);
    EXPECT_EQ(s->minY(), -9.0);
    EXPECT_EQ(s->maxY(), 7.0);
}

TEST(ChartSeriesColor, DefaultColourResolvesToSeriesColour) {
    Chart chart;
    ChartSeries* s = chart.addSeries(ChartSeries::Kind::Arrow, "Series_dhoyo");
    s->setSeriesColor(QColor(192, 192, 192));
    s->addArrow(0, 0, 1, 1, " ");
    EXPECT_EQ(s->color(0), QColor(192, 192, 192));
    EXPECT_FALSE(s->ownColor(0).isValid());
    // A later change of the series colour applies to default-coloured items.
    s->setSeriesColor(Qt::blue);
    EXPECT_EQ(s->color(0), QColor(Qt::blue));
}

TEST(ChartSeriesColor, OwnColoursShowWhenEachPointIsColoured) {
    Chart chart;
    ChartSeries* s = chart.addSeries(ChartSeries::Kind::Point, "Series_taupoint");
    s->setSeriesColor(Qt::red);
    s->setColorEachPoint(true);
    s->addPoint(1.0, 100.0, "SWP-B 229MPa", QColor(0, 255, 0));
    s->addPoint(2.0, 200.0, "", QColor());
    s->addPoint(3.0, 300.0, "SWO-B 1MPa", QColor(128, 0, 0));
    EXPECT_EQ(s->color(0), QColor(0, 255, 0));
    EXPECT_EQ(s->color(1), QColor(Qt::red));
    EXPECT_EQ(s->color(2), QColor(128, 0, 0));
    s->setColorEachPoint(false);
    EXPECT_EQ(s->color(0), QColor(Qt::red));
    EXPECT_EQ(s->ownColor(0), QColor(0, 255, 0));
}

TEST(ChartSeriesColor, SparseColumnsStayAlignedWhenInsertedInOrder) {
    // Labels and colours appear only with the third item; the items before and
    // the ones inserted between must keep their own values.
    Chart chart;
    ChartSeries* s = chart.addSeries(ChartSeries::Kind::Point, "p");
    s->setColorEachPoint(true);
    s->addPoint(1.0, 0.0);
    s->addPoint(3.0, 0.0);
    s->addPoint(2.0, 0.0, "two", Qt::blue);
    s->addPoint(0.0, 0.0);
    EXPECT_EQ(labelsOf(*s), (std::vector<QString>{"", "", "two", ""}));
    EXPECT_EQ(s->color(2), QColor(Qt::blue));
    EXPECT_EQ(s->color(0), s->seriesColor());
    EXPECT_EQ(s->color(3), s->seriesColor());
}

TEST(ChartSeriesColor, ClearedSeriesStartsAgainWithoutLabelsOrOwnColours) {
    Chart chart;
    ChartSeries* s = chart.addSeries(ChartSeries::Kind::Arrow, "Series_dynamic");
    s->setColorEachPoint(true);
    s->addArrow(1.0, 2.0, 3.0, 4.0, "old", Qt::blue);
    s->clear();
    EXPECT_EQ(s->count(), 0);
    EXPECT_TRUE(s->endXValues().empty());
    s->addArrow(5.0, 6.0, 7.0, 8.0);
    EXPECT_EQ(s->label(0), QString());
    EXPECT_FALSE(s->ownColor(0).isValid());
    EXPECT_FALSE(s->hasOwnColors());
    EXPECT_EQ(s->color(0), s->seriesColor());
    EXPECT_EQ(s->endY(0), 8.0);
}

TEST(ChartSeriesIdentity, IsNamedChildOfItsChartAndFoundByIndex) {
    Chart chart;
    ChartSeries* a = chart.addSeries(ChartSeries::Kind::Line, "LineSeries1");
    ChartSeries* b = chart.addSeries(ChartSeries::Kind::Point, "Series_taupoint");
    EXPECT_EQ(chart.seriesCount(), 2);
    EXPECT_EQ(chart.series(0), a);
    EXPECT_EQ(chart.series(1), b);
    EXPECT_EQ(chart.series(2), nullptr);
    EXPECT_EQ(a->parent(), &chart);
    EXPECT_EQ(chart.findChild<ChartSeries*>("Series_taupoint"), b);
    delete a;
    EXPECT_EQ(chart.seriesCount(), 1);
    EXPECT_EQ(chart.series(0), b);
}

TEST(ChartSeriesIdentity, ValueToPixelUsesTheSeriesOwnVerticalAxis) {
    Chart chart;
    chart.resize(400, 300);
    chart.leftAxis().setMinMax(0.0, 132.56);
    chart.rightAxis().setMinMax(0.0, 1300.0);
    ChartSeries* curve = chart.addSeries(ChartSeries::Kind::Line, "LineSeries1");
    curve->setVerticalAxis(ChartSeries::VerticalAxis::Right);
    ChartSeries* dots = chart.addSeries(ChartSeries::Kind::Point, "Series_taupoint");
    EXPECT_EQ(curve->yToPixel(1300.0), chart.plotRect().top());
    EXPECT_EQ(dots->yToPixel(132.56), chart.plotRect().top());
    EXPECT_EQ(curve->yToPixel(650.0), chart.rightAxis().valueToPixel(650.0));
    EXPECT_NE(curve->yToPixel(100.0), dots->yToPixel(100.0));
    EXPECT_EQ(curve->xToPixel(50.0), chart.bottomAxis().valueToPixel(50.0));
}

TEST(ChartSeriesBulk, BatchFillsAMillionArrowsInTableOrder) {
    Chart chart;
    ChartSeries* s = chart.addSeries(ChartSeries::Kind::Arrow, "Series_dbspring");
    s->setXOrder(ChartSeries::XOrder::None);
    constexpr int n = 1000000;
    s->reserve(n);
    {
        ChartSeries::Batch batch(*s);
        for (int i = 0; i < n; ++i)
            s->addArrow(n - i, i, i, n - i);
    }
    ASSERT_EQ(s->count(), n);
    EXPECT_EQ(s->x(0), n);
    EXPECT_EQ(s->endY(n - 1), 1.0);
    EXPECT_EQ(s->label(n - 1), QString());
    EXPECT_EQ(s->minX(), 0.0);
    EXPECT_EQ(s->maxY(), n);
}

} // namespace

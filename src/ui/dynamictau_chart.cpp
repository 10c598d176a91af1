#include "ui/dynamictau_chart.h"

#include "chart/chart_colors.h"
#include "core/strength/fatigue_lines.h"

namespace {

QFont face(const char* family, int pixels) {
    QFont f(QString::fromUtf8(family));
    f.setPixelSize(pixels);
    return f;
}

void fill(ChartSeries& series, const std::vector<strength::FatigueSegment>& segments) {
    ChartSeries::Batch batch(series);
    series.clear();
    for (const auto& s : segments)
        series.addArrow(s.x0, s.y0, s.x1, s.y1, QString::fromStdString(s.label));
}

} // namespace

Chart* make_dynamictau_chart(QWidget* parent) {
    auto* chart = new Chart(parent);
    chart->setObjectName(QStringLiteral("Chart_dynamictau"));
    chart->setTitle({QStringLiteral("動荷重に対する"), QStringLiteral("ねじり応力の疲れ限度線図")});
    chart->setTitleFont(face("ＭＳ Ｐゴシック", 12));
    chart->setTitleColor(chart_colors::black);
    chart->setBackgroundColor(chart_colors::white);
    chart->setBackWallColor(chart_colors::white);
    chart->setLegendVisible(false);
    chart->setZoomEnabled(false);
    chart->setPanEnabled(true);

    const struct {
        ChartAxis* axis;
        const char* title;
    } axes[] = {{&chart->bottomAxis(), "最小応力係数 τmin/σB"},
                {&chart->leftAxis(), "最大応力係数 τmax/σB"}};
    for (const auto& a : axes) {
        a.axis->setAutomatic(false);
        a.axis->setMinMax(0, 0.7);
        a.axis->setTitle(QString::fromUtf8(a.title));
        a.axis->setTitleFont(face("ＭＳ Ｐゴシック", 12));
        a.axis->setLabelFont(face("Arial", 11));
        a.axis->setGridVisible(true);
        a.axis->setGridColor(chart_colors::silver);
        a.axis->setTicksVisible(false);
        a.axis->setInnerTickLength(4);
        a.axis->setTickColor(chart_colors::black);
        a.axis->setMinorTicksVisible(false);
    }
    chart->topAxis().setVisible(false);
    chart->rightAxis().setVisible(false);

    ChartSeries* dhoyo = chart->addSeries(ChartSeries::Kind::Arrow, QStringLiteral("Series_dhoyo"));
    dhoyo->setSeriesColor(chart_colors::silver);
    ChartSeries* point =
        chart->addSeries(ChartSeries::Kind::Point, QStringLiteral("Series_dtaupoint"));
    point->setSeriesColor(chart_colors::red);
    point->setPointerVisible(true);
    point->setPointerFilled(true);
    ChartSeries* area =
        chart->addSeries(ChartSeries::Kind::Arrow, QStringLiteral("Series_dynarea"));
    area->setSeriesColor(chart_colors::blue);
    for (ChartSeries* s : {dhoyo, point, area}) {
        s->setMarksVisible(false);
        s->setShowInLegend(false);
    }
    for (ChartSeries* s : {dhoyo, area}) {
        s->setArrowHeadLength(1);
        s->setArrowHeadWidth(1);
        s->setXOrder(ChartSeries::XOrder::Ascending);
    }
    return chart;
}

void set_dhoyo(ChartSeries& series) {
    fill(series, strength::dhoyo_lines());
}

void set_dynarea(ChartSeries& series, double cycles) {
    fill(series, strength::dynarea_outline(cycles));
}

void add_dtaupoint(Chart& chart, double x, double y) {
    chart.series(1)->addPoint(x, y, QStringLiteral(" "));
}

#include "ui/statictau_chart.h"

#include "chart/chart_colors.h"
#include "core/strength/static_curves.h"

namespace {

QFont face(const char* family, int pixels) {
    QFont f(QString::fromUtf8(family));
    f.setPixelSize(pixels);
    return f;
}

void style_axis(ChartAxis& a) {
    a.setAutomatic(false);
    a.setGridVisible(true);
    a.setGridColor(chart_colors::silver);
    a.setAxisLineVisible(false);
    a.setTicksVisible(false);
    a.setMinorTicksVisible(false);
    a.setInnerTickLength(4);
    a.setTickColor(chart_colors::black);
    a.setTitleFont(face("ＭＳ Ｐゴシック", 12));
    a.setLabelFont(face("ＭＳ Ｐ明朝", 12));
}

struct Curve {
    const char* designation;
    double start, end;
};
constexpr Curve curves[] = {{"SWP-B", 0.1, 6.0}, {"SUS304WPB", 0.1, 5.8}, {"SWO-B", 2.1, 12.0}};

void add_stcurve(Chart& chart, int index, int n, double start, double end) {
    ChartSeries& s = *chart.series(index);
    for (const strength::CurvePoint& p :
         strength::stcurve_points(s.title().toStdString(), n, start, end))
        s.addPoint(p.x, p.y);
}

} // namespace

Chart* make_statictau_chart(QWidget* parent) {
    auto* chart = new Chart(parent);
    chart->setObjectName(QStringLiteral("Chart_statictau"));
    chart->setTitle({QStringLiteral("静荷重に対する許容最大応力")});
    chart->setTitleFont(face("ＭＳ Ｐゴシック", 15));
    chart->setBackgroundColor(chart_colors::white);
    chart->setBackWallColor(chart_colors::white);
    chart->setLegendVisible(true);
    chart->setLegendPosition(Chart::LegendPosition::Top);
    chart->setLegendSwatchWidth(20);
    chart->setLegendShadowSize(0);
    chart->setLegendFont(face("ＭＳ Ｐ明朝", 12));

    ChartAxis& bottom = chart->bottomAxis();
    style_axis(bottom);
    bottom.setLogarithmic(true);
    bottom.setMinMax(0.08, 10);
    bottom.setTitle(QStringLiteral("材料の直径 mm"));
    ChartAxis& left = chart->leftAxis();
    style_axis(left);
    left.setMinMax(0, 1300);
    left.setTitle(QStringLiteral("最大応力\u3000MPa"));
    ChartAxis& right = chart->rightAxis();
    right.setAutomatic(false);
    right.setMinMax(0, 1300);
    right.setVisible(false);
    chart->topAxis().setVisible(false);

    const struct {
        const char* name;
        const char* title;
        QColor color;
    } lines[] = {{"LineSeries1", "SWP-B", chart_colors::lime},
                 {"Series_stsus304b", "SUS304WPB", chart_colors::blue},
                 {"Series_stswob", "SWO-B", chart_colors::maroon}};
    for (const auto& l : lines) {
        ChartSeries* s = chart->addSeries(ChartSeries::Kind::Line, QString::fromLatin1(l.name));
        s->setTitle(QString::fromLatin1(l.title));
        s->setSeriesColor(l.color);
        s->setVerticalAxis(ChartSeries::VerticalAxis::Right);
        s->setPointerVisible(false);
        s->setMarksVisible(false);
        s->setXOrder(ChartSeries::XOrder::Ascending);
    }
    ChartSeries* dots =
        chart->addSeries(ChartSeries::Kind::Point, QStringLiteral("Series_taupoint"));
    dots->setTitle(QStringLiteral("taupoint"));
    dots->setSeriesColor(chart_colors::red);
    dots->setVerticalAxis(ChartSeries::VerticalAxis::Left);
    dots->setPointerVisible(true);
    dots->setPointerFilled(true);
    dots->setPointerOutline(false);
    dots->setColorEachPoint(true);
    dots->setMarksVisible(true);
    dots->setMarksTransparent(true);
    dots->setMarksFrame(false);
    dots->setMarksArrowLength(0);
    dots->setMarksFormat(QStringLiteral("#,##0"));
    dots->setXOrder(ChartSeries::XOrder::Ascending);
    return chart;
}

void set_statictau(Chart& chart, double factor, const std::string& stress_unit) {
    for (int i = 0; i < 4; ++i)
        chart.series(i)->clear();
    for (int i = 0; i < 3; ++i) {
        chart.series(i)->setTitle(QString::fromLatin1(curves[i].designation));
        add_stcurve(chart, i, 30, curves[i].start, curves[i].end);
    }
    set_tauaxis(chart, factor, stress_unit);
}

void set_tauaxis(Chart& chart, double factor, const std::string& stress_unit) {
    const double u = factor;
    ChartAxis& left = chart.leftAxis();
    const ChartAxis& right = chart.rightAxis();
    // Opened first so that the new range is never refused against the old one.
    left.setMaximum(std::max(left.maximum(), right.maximum() * u));
    left.setMinimum(right.minimum() * u);
    left.setMaximum(right.maximum() * u);
    left.setTitle(QStringLiteral("応力 ") + QString::fromStdString(stress_unit));
}

void add_taupoint(Chart& chart, const std::string& designation, double x, double y,
                  const std::string& stress_unit) {
    const QColor colour = chart.series(strength::taupoint_colour_index(designation))->seriesColor();
    const std::string label = strength::taupoint_label(designation, y, stress_unit);
    chart.series(3)->addPoint(x, y, QString::fromStdString(label), colour);
}

#include "ui/load_length_chart.h"

#include "chart/chart_canvas.h"
#include "chart/chart_colors.h"
#include "core/catalogue/spring_record.h"
#include "core/search/search_start.h"

#include <cmath>

SpringlinePos springline_pos;

namespace {

// The band and the marks of the selected spring's checks.
const QColor band_colour(255, 120, 120);
const QColor minimum_length_colour(0, 0, 200);
const QColor buckling_colour(160, 0, 160);
// A mark is a cross on the load line, a little longer below and right of it.
constexpr int mark_up = 7, mark_down = 8, mark_left = 4, mark_right = 5;
constexpr int mark_width = 2;

QFont face(const char* family) {
    QFont f(QString::fromUtf8(family));
    f.setPixelSize(12);
    return f;
}

} // namespace

Chart* make_load_length_chart(QWidget* parent) {
    auto* chart = new Chart(parent);
    chart->setObjectName(QStringLiteral("DBChart1"));
    chart->setTitleVisible(false);
    chart->setLegendVisible(false);
    chart->setBackgroundColor(chart_colors::white);
    chart->setBackWallColor(chart_colors::white);
    chart->setZoomEnabled(true);
    chart->setPanEnabled(true);

    ChartAxis& bottom = chart->bottomAxis();
    bottom.setAutomatic(false);
    bottom.setMinMax(0.7, 150);
    bottom.setTitle(QStringLiteral("バネ長\u3000mm"));
    ChartAxis& left = chart->leftAxis();
    left.setAutomatic(false);
    left.setMinMax(0, 1000);
    left.setTitle(QStringLiteral("発生力\u3000N"));
    for (ChartAxis* a : {&bottom, &left}) {
        a->setTitleFont(face("ＭＳ Ｐゴシック"));
        a->setLabelFont(face("ＭＳ Ｐ明朝"));
        a->setGridVisible(true);
    }
    ChartAxis& right = chart->rightAxis();
    right.setVisible(false);
    right.setAutomatic(false);
    right.setMinMax(0, 1000);
    right.setLabelFormat(QStringLiteral("#,##0.#"));
    right.setIncrement(0.5);
    right.setTitle(QStringLiteral("発生力\u3000N"));
    right.setTitleAngle(90);
    right.setGridVisible(false);
    chart->topAxis().setVisible(false);

    ChartSeries* s = chart->addSeries(ChartSeries::Kind::Arrow, QStringLiteral("Series_dbspring"));
    s->setSeriesColor(chart_colors::black);
    s->setXOrder(ChartSeries::XOrder::None); // table order, and no sorting cost on a million rows
    s->setArrowHeadLength(1);
    s->setArrowHeadWidth(1);
    s->setMarksVisible(false);
    s->setShowInLegend(false);
    return chart;
}

void fill_spring_series(ChartSeries& series, const catalogue::Table& table) {
    namespace f = catalogue::spring;
    // Opening or closing the table repaints the whole chart.
    if (auto* chart = qobject_cast<Chart*>(series.parent()))
        chart->repaintAll();
    ChartSeries::Batch batch(series);
    series.clear();
    if (!table.isOpen())
        return;
    const int rows = table.recordCount();
    series.reserve(rows);
    double v[4];
    for (int r = 0; r < rows; ++r) {
        table.numbers(r, {f::lo, f::calc_fo, f::lmax, f::calc_fmax}, v);
        series.addArrow(v[0], v[1], v[2], v[3]);
    }
}

namespace {

void draw_window(ChartCanvas& c, const Chart& chart, double lmin, double lmax, double fmin,
                 double fmax) {
    using search::bound_limit;
    const int x1 = chart.bottomAxis().valueToPixel(lmin);
    const int x2 = chart.bottomAxis().valueToPixel(lmax);
    const int y1 = chart.leftAxis().valueToPixel(fmin);
    const int y2 = chart.leftAxis().valueToPixel(fmax);
    c.setPen(chart_colors::red, 1, Qt::SolidLine);
    c.moveTo(x1, y1);
    // Open sides are not drawn: the pen only moves along them.
    if (lmin >= -bound_limit)
        c.lineTo(x1, y2);
    else
        c.moveTo(x1, y2);
    if (fmax <= bound_limit)
        c.lineTo(x2, y2);
    else
        c.moveTo(x2, y2);
    if (lmax <= bound_limit)
        c.lineTo(x2, y1);
    else
        c.moveTo(x2, y1);
    if (fmin >= -bound_limit)
        c.lineTo(x1, y1);
}

} // namespace

void Selectwindow_draw(Chart& chart, const search::Conditions& s) {
    // The pixel mapping takes any value (a side left open maps to the axis
    // centre), so drawing a window cannot fail.
    ChartCanvas& c = chart.canvas();
    for (const search::WindowCondition& w : s.condition)
        draw_window(c, chart, w.length_min, w.length_max, w.force_min, w.force_max);
}

void Springline_draw(Chart& chart, const catalogue::Table& table) {
    namespace f = catalogue::spring;
    const int row = table.isOpen() ? table.currentRow() : -1;
    if (row < 0 || table.isNull(row, f::lo) || table.isNull(row, f::lmax))
        return;
    ChartCanvas& c = chart.canvas();
    c.setPen(chart_colors::red, 1, Qt::SolidLine);
    const ChartSeries& s = *chart.series(0);
    springline_pos = {
        s.xToPixel(table.number(row, f::lo)), s.yToPixel(table.number(row, f::calc_fo)),
        s.xToPixel(table.number(row, f::lmax)), s.yToPixel(table.number(row, f::calc_fmax))};
    c.clipTo(chart.plotRect());
    c.moveTo(springline_pos.x0, springline_pos.y0);
    c.lineTo(springline_pos.x1, springline_pos.y1);
    c.removeClip();
}

void Springline_erase(Chart& chart) {
    ChartCanvas& c = chart.canvas();
    c.setPen(chart_colors::black, 1, Qt::SolidLine);
    c.clipTo(chart.plotRect());
    c.moveTo(springline_pos.x0, springline_pos.y0);
    c.lineTo(springline_pos.x1, springline_pos.y1);
    c.removeClip();
}

void draw_selected_marks(Chart& chart, const SelectedMarks& m) {
    const ChartSeries& s = *chart.series(0);
    ChartCanvas& c = chart.canvas();
    c.clipTo(chart.plotRect());
    // A band of no width is none: it would hide under the segment.
    if (m.band_at_lo && m.band_at_lmax &&
        (m.band_at_lo->plus != m.band_at_lo->minus ||
         m.band_at_lmax->plus != m.band_at_lmax->minus)) {
        c.setPen(band_colour, 1, Qt::DashLine);
        const catalogue::spring::LoadBand& at_lo = *m.band_at_lo;
        const catalogue::spring::LoadBand& at_lmax = *m.band_at_lmax;
        c.moveTo(s.xToPixel(m.lo), s.yToPixel(at_lo.minus));
        c.lineTo(s.xToPixel(m.lmax), s.yToPixel(at_lmax.minus));
        c.moveTo(s.xToPixel(m.lo), s.yToPixel(at_lo.plus));
        c.lineTo(s.xToPixel(m.lmax), s.yToPixel(at_lmax.plus));
    }
    // The marks stand on the load line carried on beyond lo and lmax.
    const auto mark = [&](const std::optional<double>& length, const QColor& colour) {
        if (!length || !std::isfinite(*length))
            return;
        const int x = s.xToPixel(*length);
        const int y = s.yToPixel(m.fo + m.k * (m.lo - *length));
        c.setPen(colour, mark_width);
        c.moveTo(x, y - mark_up);
        c.lineTo(x, y + mark_down);
        c.moveTo(x - mark_left, y);
        c.lineTo(x + mark_right, y);
    };
    mark(m.minimum_length, minimum_length_colour);
    mark(m.buckling_length, buckling_colour);
    c.removeClip();
}

void fit_load_length_axes(Chart& chart, const search::Conditions& s) {
    using search::open_bound;
    ChartAxis& bottom = chart.bottomAxis();
    ChartAxis& left = chart.leftAxis();
    const ChartSeries& springs = *chart.series(0);
    bottom.setMaximum(open_bound);
    bottom.setMinimum(-open_bound);
    left.setMaximum(open_bound);
    left.setMinimum(-open_bound);
    bottom.setMaximum(
        search::fit_upper(s.condition[0].length_max, s.condition[1].length_max, springs.maxX()));
    bottom.setMinimum(
        search::fit_lower(s.condition[0].length_min, s.condition[1].length_min, springs.minX()));
    left.setMinimum(
        search::fit_lower(s.condition[0].force_min, s.condition[1].force_min, springs.minY()));
    left.setMaximum(
        search::fit_upper(s.condition[0].force_max, s.condition[1].force_max, springs.maxY()));
}

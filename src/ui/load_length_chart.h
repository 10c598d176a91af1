#pragma once

#include "chart/chart.h"
#include "core/catalogue/spring_record.h"
#include "core/search/conditions.h"

#include <optional>

namespace catalogue {
class Table;
}

// The load-length chart: every listed spring as a segment from its free
// length to its reference length, with the search windows and the spring
// under the cursor drawn over it in red.
Chart* make_load_length_chart(QWidget* parent);

// The data binding of `Series_dbspring`: one arrow per visible row, from
// (lo, calc_fo) to (lmax, calc_fmax); an empty field reads as 0.
void fill_spring_series(ChartSeries& series, const catalogue::Table& table);

// Pixel position of the last highlighted segment: start x, y, end x, y.
struct SpringlinePos {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};
extern SpringlinePos springline_pos;

void Selectwindow_draw(Chart& chart, const search::Conditions& conditions);
void Springline_draw(Chart& chart, const catalogue::Table& table);
void Springline_erase(Chart& chart);

// The selected spring's checks on its load line: the band of the load tolerance
// and marks where it reaches its smallest usable length and where it buckles.
struct SelectedMarks {
    double lo = 0, lmax = 0, fo = 0, fmax = 0, k = 0; // the load line, display units
    // The band's edges at lo and lmax, display units; none without a band.
    std::optional<catalogue::spring::LoadBand> band_at_lo, band_at_lmax;
    std::optional<double> minimum_length, buckling_length;
};
// Drawn after the highlighted segment.
void draw_selected_marks(Chart& chart, const SelectedMarks& marks);

// The axis fitting of a search: each axis spans the springs shown and the
// governing search window.
void fit_load_length_axes(Chart& chart, const search::Conditions& conditions);

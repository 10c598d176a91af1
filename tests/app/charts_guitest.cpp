// The three charts as the main window drives them: the load-length chart's
// binding, overlays and axis fitting, the static stress chart and the
// fatigue diagram.
#include "chart/chart.h"
#include "core/catalogue/unit_system.h"
#include "support/boxes.h"
#include "support/main_window.h"
#include "support/packet_writer.h"
#include "support/temp_dir.h"
#include "ui/load_length_chart.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

using namespace testsupport;

namespace {

SpringRow line(const std::string& model, double lo, double fo, double lmax, double fmax) {
    return spring_row(model, lo, fo, lmax, fmax);
}

class LoadLengthChart : public MainWindowTest {
protected:
    Chart* chart() { return find<Chart>("DBChart1"); }
    void expect_axes(double bmin, double bmax, double lmin, double lmax) {
        EXPECT_DOUBLE_EQ(chart()->bottomAxis().minimum(), bmin);
        EXPECT_DOUBLE_EQ(chart()->bottomAxis().maximum(), bmax);
        EXPECT_DOUBLE_EQ(chart()->leftAxis().minimum(), lmin);
        EXPECT_DOUBLE_EQ(chart()->leftAxis().maximum(), lmax);
    }
    // Red strokes of the last paint that cover more than a single point.
    int visible_red_lines() {
        chart()->grab();
        int n = 0;
        for (const auto& l : chart()->lastPaintStrokes())
            n += l.color == QColor(Qt::red) && l.from != l.to;
        return n;
    }
    WorkingDir dir;
};

} // namespace

TEST_F(LoadLengthChart, StartsWithTheLayoutsAxesAndNoSegments) {
    ASSERT_EQ(chart()->seriesCount(), 1);
    EXPECT_EQ(chart()->series(0)->objectName(), "Series_dbspring");
    EXPECT_EQ(chart()->series(0)->count(), 0);
    expect_axes(0.7, 150, 0, 1000);
    EXPECT_EQ(chart()->bottomAxis().title(), QStringLiteral("バネ長\u3000mm"));
    EXPECT_EQ(chart()->leftAxis().title(), QStringLiteral("発生力\u3000N"));
    EXPECT_EQ(visible_red_lines(), 0);
}

TEST_F(LoadLengthChart, AxesSpanTheSpringsAndTheGoverningWindow) {
    write_catalogue({line("wide", 30, 0, 20, 40)}, {});
    type("Edit_length", "25");
    type("Edit_force", "20");
    search();
    expect_axes(20, 30, 0, 40);

    write_catalogue({line("narrow", 25.5, 19, 24.5, 20.05)}, {});
    search();
    ASSERT_EQ(chart()->series(0)->count(), 1);
    expect_axes(24, 26, 19, 20.1);
}

TEST_F(LoadLengthChart, OnlyConditionTwoOrNothingFoundSpansTheSprings) {
    write_catalogue({line("a", 30, 0, 20, 40), line("b", 60, 0, 40, 10)}, {});
    type("Edit_length2", "25");
    type("Edit_force2", "20");
    search();
    ASSERT_EQ(chart()->series(0)->count(), 1);
    expect_axes(20, 30, 0, 40);

    type("Edit_force2", "500");
    search();
    EXPECT_EQ(chart()->series(0)->count(), 0);
    // Condition 1 is open on every side, so the extremes of no spring (0) win.
    expect_axes(0, 0, 0, 0);

    // Pressing again without changes gives the same list and axes.
    type("Edit_force2", "");
    type("Edit_length2", "");
    search();
    expect_axes(20, 60, 0, 40);
    search();
    expect_axes(20, 60, 0, 40);
    EXPECT_EQ(chart()->series(0)->count(), 2);
}

TEST_F(LoadLengthChart, SeriesFollowsOpenAndCloseButNotTheCursor) {
    write_catalogue({line("a", 30, 0, 20, 40), line("b", 60, 0, 40, 10)}, {});
    search();
    ChartSeries* s = chart()->series(0);
    ASSERT_EQ(s->count(), 2);
    EXPECT_DOUBLE_EQ(s->x(1), 60);
    EXPECT_DOUBLE_EQ(s->endX(1), 40);
    EXPECT_DOUBLE_EQ(s->endY(1), 10);
    const int renders = chart()->seriesRenderCount();
    find<QTableView>("DBGrid1")->selectRow(1);
    chart()->grab();
    EXPECT_EQ(s->count(), 2);
    const int after_first_paint = chart()->seriesRenderCount();
    EXPECT_GE(after_first_paint, renders);
    find<QTableView>("DBGrid1")->selectRow(0);
    chart()->grab();
    EXPECT_EQ(chart()->seriesRenderCount(), after_first_paint); // cursor moves reuse the cache

    // A refused search leaves the table closed and the series empty.
    type("Edit_coildia_outer_min", "9");
    type("Edit_coildia_outer_max", "8");
    search();
    EXPECT_EQ(s->count(), 0);
}

TEST_F(LoadLengthChart, WindowsAreDrawnOnlyForFullyGivenConditions) {
    write_catalogue({line("a", 30, 0, 20, 40)}, {});
    type("Edit_length", "25"); // a length without a force
    search();
    chart()->grab();
    int red = 0;
    for (const auto& l : chart()->lastPaintStrokes())
        red += l.color == QColor(Qt::red) && l.from != l.to && !l.clipped;
    EXPECT_EQ(red, 0);

    type("Edit_force", "20");
    search();
    chart()->grab(); // also replays what the cursor dispatch drew
    chart()->grab();
    red = 0;
    for (const auto& l : chart()->lastPaintStrokes())
        red += l.color == QColor(Qt::red) && !l.clipped;
    EXPECT_EQ(red, 4); // a closed rectangle, unclipped
}

TEST_F(LoadLengthChart, HighlightMovesWithTheCursor) {
    write_catalogue({line("a", 30, 0, 20, 40), line("b", 40, 0, 20, 20)}, {});
    search();
    chart()->grab(); // the repaint after the axes were fitted refreshes the position
    const SpringlinePos first = springline_pos;
    ChartSeries* s = chart()->series(0);
    EXPECT_EQ(first.x0, s->xToPixel(30));
    EXPECT_EQ(first.y1, s->yToPixel(40));
    find<QTableView>("DBGrid1")->selectRow(1);
    chart()->grab();
    EXPECT_EQ(springline_pos.x0, s->xToPixel(40));
    EXPECT_EQ(springline_pos.y1, s->yToPixel(20));
    chart()->grab();
    bool highlighted = false;
    for (const auto& l : chart()->lastPaintStrokes())
        highlighted |= l.color == QColor(Qt::red) && l.clipped &&
                       l.from == QPoint(springline_pos.x0, springline_pos.y0);
    EXPECT_TRUE(highlighted);
}

TEST_F(LoadLengthChart, UnitSystemRelabelsTheForceAxis) {
    write_catalogue({line("a", 30, 0, 20, 9.80665)}, {});
    find("RadioGroup_unit")->findChildren<QRadioButton*>().at(1)->click();
    search();
    EXPECT_EQ(chart()->leftAxis().title(), QStringLiteral("発生力\u3000kgf"));
    EXPECT_DOUBLE_EQ(chart()->series(0)->endY(0), 1.0);
}

class StressCharts : public MainWindowTest {};

TEST_F(StressCharts, CurvesAndFixedLinesAreDrawnAtStartUp) {
    auto* st = find<Chart>("Chart_statictau");
    ASSERT_EQ(st->seriesCount(), 4);
    const char* titles[] = {"SWP-B", "SUS304WPB", "SWO-B", "taupoint"};
    const double ends[] = {6.0, 5.8, 12.0};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(st->series(i)->title(), titles[i]);
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(st->series(i)->count(), 31);
        EXPECT_EQ(st->series(i)->x(30), ends[i]);
    }
    EXPECT_DOUBLE_EQ(st->series(0)->x(0), 0.1);
    EXPECT_DOUBLE_EQ(st->series(2)->x(0), 2.1);
    EXPECT_TRUE(st->bottomAxis().isLogarithmic());
    EXPECT_EQ(st->leftAxis().title(), QStringLiteral("応力 MPa"));
    EXPECT_EQ(st->legendEntries().size(), 4u);

    auto* dyn = find<Chart>("Chart_dynamictau");
    ASSERT_EQ(dyn->seriesCount(), 3);
    EXPECT_EQ(dyn->series(0)->objectName(), "Series_dhoyo");
    EXPECT_EQ(dyn->series(0)->count(), 18);
    EXPECT_EQ(dyn->series(2)->count(), 4);
    EXPECT_FALSE(dyn->isZoomEnabled());
}

TEST_F(StressCharts, StressAxisFollowsTheUnitSystemAtASearch) {
    WorkingDir dir;
    write_catalogue({}, {});
    auto* st = find<Chart>("Chart_statictau");
    find("RadioGroup_unit")->findChildren<QRadioButton*>().at(2)->click();
    EXPECT_DOUBLE_EQ(st->leftAxis().maximum(), 1300); // not before the search
    search();
    EXPECT_NEAR(st->leftAxis().maximum(), 132563.1, 0.1);
    EXPECT_EQ(st->leftAxis().title(), QStringLiteral("応力 gf/mm^2"));
    find("RadioGroup_unit")->findChildren<QRadioButton*>().at(0)->click();
    search();
    EXPECT_DOUBLE_EQ(st->leftAxis().maximum(), 1300);
    EXPECT_DOUBLE_EQ(st->rightAxis().maximum(), 1300);
}

// What the screen shows of the load-length chart, read back from the window
// rather than painted anew: strokes drawn between paints must not outlive a
// paint that renders the series again, and sides of no length draw nothing.
// These tests also run under a real X server (see tests/CMakeLists.txt).
#include "chart/chart.h"
#include "support/main_window.h"
#include "support/packet_writer.h"
#include "support/screen.h"
#include "support/temp_dir.h"

#include <QRadioButton>
#include <QTableView>

using namespace testsupport;

namespace {

class ScreenLoadLength : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        form->resize(1000, 700);
        settle(form);
    }
    Chart* chart() { return find<Chart>("DBChart1"); }
    void pick(const char* group, int item) {
        find(group)->findChildren<QRadioButton*>().at(item)->click();
    }
    // Searches, then lets the window paint what a user would see.
    void search_and_settle() {
        search();
        settle(form);
    }
    void select_row(int row) {
        auto* grid = find<QTableView>("DBGrid1");
        grid->selectRow(row);
        settle(form);
    }
    // The screen must show what a full repaint of the chart shows.
    void expect_screen_is_repaint(const char* when) {
        const QImage screen = on_screen(chart());
        const QImage fresh = repainted(chart());
        EXPECT_EQ(differing_pixels(screen, fresh), 0) << when;
    }
    int red_on_screen() { return pixels_of(on_screen(chart()), Qt::red); }
    WorkingDir dir;
};

// Two springs that pass both windows, and one that passes only while
// condition 1 stays at 30 mm and stretches the length axis down to 10 mm.
std::vector<SpringRow> three_springs() {
    return {spring_row("a", 40, 0, 20, 20), spring_row("b", 45, 0, 20, 16.6667),
            spring_row("c", 36, 0, 10, 39)};
}

} // namespace

TEST_F(ScreenLoadLength, ANewSearchLeavesNoStrokesOfTheOldAxes) {
    write_catalogue(three_springs(), {});
    type("Edit_length", "30");
    type("Edit_lengthwidth", "1");
    type("Edit_force", "10");
    type("Edit_forcewidth", "5");
    type("Edit_length2", "25");
    type("Edit_length2width", "1");
    type("Edit_force2", "15");
    type("Edit_force2width", "5");
    search_and_settle();
    ASSERT_EQ(chart()->series(0)->count(), 3);
    expect_screen_is_repaint("after the first search");

    select_row(1);
    expect_screen_is_repaint("after a cursor move");

    type("Edit_length", "35");
    search_and_settle();
    ASSERT_EQ(chart()->series(0)->count(), 2);
    expect_screen_is_repaint("after the second search");
    EXPECT_GT(red_on_screen(), 0); // the two windows and the highlight are there
}

TEST_F(ScreenLoadLength, AnEmptyResultLeavesNoSegmentOnTheScreen) {
    write_catalogue(three_springs(), {});
    search_and_settle();
    select_row(2);
    pick("RadioGroup_type", 1); // extension springs: none in this catalogue
    search_and_settle();
    ASSERT_EQ(chart()->series(0)->count(), 0);
    expect_screen_is_repaint("after a search that found nothing");
    const QImage screen = on_screen(chart());
    EXPECT_EQ(pixels_of(screen, Qt::black, chart()->plotRect().adjusted(1, 1, -1, -1)), 0);
}

TEST_F(ScreenLoadLength, SidesOfNoLengthDrawNothing) {
    EXPECT_EQ(red_on_screen(), 0) << "before the first search";

    write_catalogue(three_springs(), {});
    type("Edit_length", "30"); // a length without a force
    type("Edit_force2", "15"); // a force without a length
    search_and_settle();
    select_row(0);
    // Only the highlight of the current spring is red, a clipped segment
    // that starts and ends inside the plot.
    const QImage screen = on_screen(chart());
    const QRect plot = chart()->plotRect();
    EXPECT_EQ(pixels_of(screen, Qt::red) - pixels_of(screen, Qt::red, plot), 0);
    expect_screen_is_repaint("after a search with half-given conditions");

    type("Edit_length", "");
    type("Edit_force2", "");
    pick("RadioGroup_type", 1);
    search_and_settle();
    EXPECT_EQ(red_on_screen(), 0) << "no spring, no window";
}

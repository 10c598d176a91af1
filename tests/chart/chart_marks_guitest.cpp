// Placing the label texts of a point series so that none covers another.
#include "chart/chart_marks.h"

#include <gtest/gtest.h>

namespace {

// A mark of 60 x 14 px for a point at (x, y): above it or below it.
ChartMarkPlace mark_at(int x, int y) {
    return {QRect(x - 30, y - 14, 60, 14), QRect(x - 30, y + 5, 60, 14)};
}

void expect_apart(const std::vector<QRect>& boxes) {
    for (size_t i = 0; i < boxes.size(); ++i)
        for (size_t j = i + 1; j < boxes.size(); ++j)
            EXPECT_FALSE(boxes[i].intersects(boxes[j])) << i << " and " << j;
}

} // namespace

TEST(ChartMarks, LabelsThatDoNotMeetStayAboveTheirPoints) {
    const std::vector<ChartMarkPlace> wanted = {mark_at(50, 100), mark_at(150, 100),
                                                mark_at(50, 40)};
    const auto boxes = place_chart_marks(wanted);
    ASSERT_EQ(boxes.size(), 3u);
    for (size_t i = 0; i < boxes.size(); ++i)
        EXPECT_EQ(boxes[i], wanted[i].above);
}

TEST(ChartMarks, TwoDotsAtAlmostTheSameDiameterAreBothReadable) {
    // 322 MPa and 241 MPa of two conditions, 2 px apart across and 12 px up.
    const std::vector<ChartMarkPlace> wanted = {mark_at(100, 88), mark_at(102, 100)};
    const auto boxes = place_chart_marks(wanted);
    EXPECT_EQ(boxes[0], wanted[0].above);
    EXPECT_EQ(boxes[1], wanted[1].below);
    expect_apart(boxes);
}

// Two dots at the same diameter, the lower one first in the series: the
// higher dot's label stays above the lower one's.
TEST(ChartMarks, LabelsKeepTheVerticalOrderOfTheirDots) {
    const std::vector<ChartMarkPlace> wanted = {mark_at(100, 100), mark_at(100, 90)};
    const auto boxes = place_chart_marks(wanted);
    expect_apart(boxes);
    EXPECT_EQ(boxes[1], wanted[1].above);
    EXPECT_LT(boxes[1].top(), boxes[0].top());
}

TEST(ChartMarks, ManyLabelsOnOnePointStackUpwards) {
    const std::vector<ChartMarkPlace> wanted(5, mark_at(100, 100));
    const auto boxes = place_chart_marks(wanted);
    expect_apart(boxes);
    EXPECT_EQ(boxes[1], wanted[1].below);
    EXPECT_LT(boxes[4].top(), boxes[0].top());
}

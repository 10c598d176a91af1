#include "chart/chart_marks.h"

#include <algorithm>
#include <numeric>

namespace {

bool is_free(const QRect& box, const std::vector<QRect>& placed) {
    for (const QRect& other : placed) {
        if (other.intersects(box))
            return false;
    }
    return true;
}

} // namespace

std::vector<QRect> place_chart_marks(const std::vector<ChartMarkPlace>& wanted) {
    // The highest point places its mark first, so that a lower point's mark
    // is the one pushed below: the labels keep the vertical order of their
    // points. Equal heights keep the series' order.
    std::vector<size_t> order(wanted.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return wanted[a].above.bottom() < wanted[b].above.bottom();
    });
    std::vector<QRect> placed;
    placed.reserve(wanted.size());
    std::vector<QRect> boxes(wanted.size());
    for (const size_t i : order) {
        const ChartMarkPlace& w = wanted[i];
        QRect box = w.above;
        if (!is_free(box, placed))
            box = w.below;
        // Upwards in whole heights; the bound keeps a crowd of marks from
        // searching for ever (the last one may then still cover another).
        for (int step = 1; !is_free(box, placed) && step <= static_cast<int>(placed.size()); ++step)
            box = w.above.translated(0, -step * w.above.height());
        placed.push_back(box);
        boxes[i] = box;
    }
    return boxes;
}

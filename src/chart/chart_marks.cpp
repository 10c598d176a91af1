#include "chart/chart_marks.h"

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
    std::vector<QRect> placed;
    placed.reserve(wanted.size());
    for (const ChartMarkPlace& w : wanted) {
        QRect box = w.above;
        if (!is_free(box, placed))
            box = w.below;
        // Upwards in whole heights; the bound keeps a crowd of marks from
        // searching for ever (the last one may then still cover another).
        for (int step = 1; !is_free(box, placed) && step <= static_cast<int>(placed.size()); ++step)
            box = w.above.translated(0, -step * w.above.height());
        placed.push_back(box);
    }
    return placed;
}

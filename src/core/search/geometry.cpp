#include "core/search/geometry.h"

#include <utility>

namespace geometry {

int ccw(Point p0, Point p1, Point p2) {
    const double dx1 = p1.x - p0.x;
    const double dy1 = p1.y - p0.y;
    const double dx2 = p2.x - p0.x;
    const double dy2 = p2.y - p0.y;
    if (dx1 * dy2 > dy1 * dx2)
        return +1;
    if (dx1 * dy2 < dy1 * dx2)
        return -1;
    // Collinear: behind p0, beyond p1, or on the segment p0-p1.
    if (dx1 * dx2 < 0 || dy1 * dy2 < 0)
        return -1;
    if (dx1 * dx1 + dy1 * dy1 < dx2 * dx2 + dy2 * dy2)
        return +1;
    return 0;
}

bool intersect(Segment s, Segment t) {
    return ccw(s.start, s.end, t.start) * ccw(s.start, s.end, t.end) <= 0 &&
           ccw(t.start, t.end, s.start) * ccw(t.start, t.end, s.end) <= 0;
}

bool seg_in_window(const Window& w, Segment s) {
    const double xa = w[0].x, ya = w[0].y;
    const double xc = w[2].x, yc = w[2].y;
    // The test reads P as the lower-force end. Taking the ends in that order keeps a
    // falling load line (fo > fmax) from being accepted when it misses the window.
    Point p = s.start, q = s.end;
    if (p.y > q.y)
        std::swap(p, q);
    if (xa < xc)
        return p.x <= xc && p.y >= ya && q.x >= xa && q.y <= yc;
    return p.x >= xa && p.y >= ya && q.x <= xc && q.y <= yc;
}

bool seg_cross_window(const Window& w, Segment s) {
    if (seg_in_window(w, s))
        return true;
    for (std::size_t i = 0; i < w.size(); ++i) {
        const Segment edge{w[i], w[(i + 1) % w.size()]};
        if (intersect(edge, s))
            return true;
    }
    return false;
}

} // namespace geometry

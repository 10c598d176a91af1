#pragma once

// Cuts the segment (x0, y0)-(x1, y1) to the box [xmin, xmax] x [ymin, ymax]
// (Liang-Barsky) and rounds the new ends to whole pixels; false when nothing
// of it is inside. Keeps coordinates far from the int limits and lines inside
// the plot before they are rasterised.
bool cut_segment_to_box(double& x0, double& y0, double& x1, double& y1, double xmin, double xmax,
                        double ymin, double ymax);

// The box +-limit around the origin.
inline bool cut_segment_to_square(double& x0, double& y0, double& x1, double& y1, double limit) {
    return cut_segment_to_box(x0, y0, x1, y1, -limit, limit, -limit, limit);
}

#pragma once

// Cuts the segment (x0, y0)-(x1, y1) to the square of +-limit (Liang-Barsky)
// and rounds the new ends to whole pixels; false when nothing of it is inside.
// Keeps coordinates far from the int limits before lines are rasterised.
bool cut_segment_to_square(double& x0, double& y0, double& x1, double& y1, double limit);

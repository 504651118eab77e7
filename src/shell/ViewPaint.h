#pragma once
// What one paint of the image view draws: only the image part under the client area, with one
// image pixel of overlap before and up to two after on each axis, so that scaled edges join.
#include "shell/ViewGeometry.h"

struct PaintRegion {
    Point source; // image pixels
    Size sourceSize;
    Point destination; // view coordinates: subtract the scroll position for the client area
    Size destinationSize;
};

PaintRegion RegionToPaint(const ViewState& view);

// Where the 8x8 checkerboard tile starts so that the pattern moves with the image.
Point CheckerPhase(Point scroll);

#pragma once
// "Fit window": the child frame sized to show the whole scaled picture without scroll bars,
// as far as the MDI area allows, moved back into the area where it would stick out.
#include "shell/ViewGeometry.h"

struct FrameFitInput {
    Size area;      // the MDI area's client size
    Point position; // the frame's top-left in MDI area coordinates
    Size chrome;    // frame size minus the view's client size
    Size scaled;    // the picture at the current zoom
};

// The frame's new rectangle in MDI area coordinates.
Rect FitFrameToImage(const FrameFitInput& input);

#pragma once
// Changing a view's zoom: where the view scrolls to so that an image point stays in the middle,
// zooming to a selected rectangle, and aligning another view with this one.
#include "shell/ViewGeometry.h"
#include "shell/ZoomSteps.h"

#include <optional>

// The view after a zoom change. When changed is false only the zoom pane is rewritten; the
// other fields then repeat the view as it is.
struct ZoomChange {
    bool changed = false;
    int zoom = kActualSizeZoom;
    Size scaled; // the new scroll size
    Point scroll;
    bool erase = false; // repaint the background too: the picture got smaller
};

// Sets the zoom, keeping anchor (an image point; by default the one in the middle of the
// visible part) in the middle of the client area where the scroll range allows. A zoom that is
// the current one or not positive changes nothing.
ZoomChange ChangeZoom(const ViewState& view, int zoom, std::optional<Point> anchor = {});

struct ZoomTarget {
    int zoom;
    Point anchor;
};

// The zoom and anchor of "zoom to selection": the selection's centre becomes the view's centre,
// at the smallest table entry that shows the selected region at least as large as the whole
// image at 1:1. A selection narrower or lower than 4 pixels keeps the current zoom on that axis.
ZoomTarget ZoomToRect(const ViewState& view, const ZoomTable& table, const Rect& selection);

// Aligns other with view: at the same zoom it scrolls to the same position; otherwise it takes
// view's zoom and puts the image point at view's centre in its own centre.
ZoomChange SyncView(const ViewState& view, const ViewState& other);

#include "shell/ZoomChange.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

ZoomChange Unchanged(const ViewState& view) {
    return {false, view.zoom, view.Scaled(), view.scroll, false};
}

// The scroll position that puts a view coordinate in the middle of the visible extent. A target
// held at the int limits (an anchor far off the picture) must not overflow on the way.
int CentreOn(int target, int visible, int scaled) {
    const int64_t start = std::max<int64_t>(0, int64_t{target} - visible / 2);
    return static_cast<int>(std::min<int64_t>(start, int64_t{scaled} - visible));
}

int AxisZoom(int scaled, int selected, int currentZoom) {
    if (selected < 4) return currentZoom;
    int64_t zoom = int64_t{scaled} * 100 / selected;
    return static_cast<int>(std::min<int64_t>(zoom, std::numeric_limits<int>::max()));
}

} // namespace

ZoomChange ChangeZoom(const ViewState& view, int zoom, std::optional<Point> anchor) {
    if (zoom == view.zoom || zoom <= 0) return Unchanged(view);
    Size oldScaled = view.Scaled();
    Size visible{std::min(view.client.width, oldScaled.width),
                 std::min(view.client.height, oldScaled.height)};
    Point centre = anchor.value_or(
        ClientToImage(Point{visible.width / 2, visible.height / 2}, view.scroll, view.zoom));
    Size scaled = ToView(view.image, zoom);
    Point target = ToView(centre, zoom);
    Point scroll{CentreOn(target.x, visible.width, scaled.width),
                 CentreOn(target.y, visible.height, scaled.height)};
    return {true, zoom, scaled, ClampScroll(scroll, scaled, view.client), zoom < view.zoom};
}

ZoomTarget ZoomToRect(const ViewState& view, const ZoomTable& table, const Rect& selection) {
    Point centre{(selection.left + selection.right) / 2, (selection.top + selection.bottom) / 2};
    Size scaled = view.Scaled();
    int zoom = std::min(AxisZoom(scaled.width, selection.Width(), view.zoom),
                        AxisZoom(scaled.height, selection.Height(), view.zoom));
    int position = ZoomIndex(table, zoom);
    // An empty table offers nothing to zoom to.
    return {position < 0 ? view.zoom : table[position],
            ClientToImage(centre, view.scroll, view.zoom)};
}

ZoomChange SyncView(const ViewState& view, const ViewState& other) {
    if (other.zoom != view.zoom) {
        Point centre{view.client.width / 2, view.client.height / 2};
        const Point anchor = ClientToImage(centre, view.scroll, view.zoom);
        ZoomChange zoomed = ChangeZoom(other, view.zoom, anchor);
        // Centred in the extent the picture has at the new zoom: the zoom commands centre in the
        // old one, which would leave a view that was smaller than its window off centre.
        Size visible{std::min(other.client.width, zoomed.scaled.width),
                     std::min(other.client.height, zoomed.scaled.height)};
        Point target = ToView(anchor, view.zoom);
        zoomed.scroll = ClampScroll({CentreOn(target.x, visible.width, zoomed.scaled.width),
                                     CentreOn(target.y, visible.height, zoomed.scaled.height)},
                                    zoomed.scaled, other.client);
        return zoomed;
    }
    ZoomChange same = Unchanged(other);
    same.scroll = ClampScroll(view.scroll, same.scaled, other.client);
    return same;
}

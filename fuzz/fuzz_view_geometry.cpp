// The view arithmetic over random image and client sizes, zooms and scroll positions: every
// scroll position it gives lies between 0 and the largest one (the scaled picture less the
// client area), a zoom change or zoom to selection gives the scaled size of its zoom, and "fit
// window" keeps the frame inside the MDI area.
#include "FuzzInput.h"
#include "FuzzZoomTable.h"
#include "shell/FrameFit.h"
#include "shell/ViewScroll.h"
#include "shell/ZoomChange.h"

#include <climits>
#include <cstdint>
#include <optional>

namespace {

constexpr int kMaxSide = 1 << 20; // image pixels and screen pixels alike
constexpr int kMaxZoom = 100000;
// Pointer positions in client coordinates: a drag may leave the window, not the int range.
constexpr int kMaxPointer = 1 << 24;

void Require(bool holds) {
    if (!holds) __builtin_trap();
}

void RequireInClamps(Point scroll, Size scaled, Size client) {
    const Point limit = MaxScroll(scaled, client);
    Require(scroll.x >= 0 && scroll.x <= limit.x && scroll.y >= 0 && scroll.y <= limit.y);
}

Size DrawSize(FuzzInput& input) {
    return {input.Int(0, kMaxSide), input.Int(0, kMaxSide)};
}

Point DrawPoint(FuzzInput& input, int bound = INT_MAX) {
    return {input.Int(-bound, bound), input.Int(-bound, bound)};
}

ViewState DrawView(FuzzInput& input) {
    ViewState view;
    view.zoom = input.Int(1, kMaxZoom);
    view.image = DrawSize(input);
    view.client = DrawSize(input);
    view.scroll = ClampScroll(DrawPoint(input), view.Scaled(), view.client);
    return view;
}

void CheckScrolling(const ViewState& view, FuzzInput& input) {
    const Size scaled = view.Scaled();
    RequireInClamps(view.scroll, scaled, view.client);
    RequireInClamps(CentredScroll(scaled, view.client), scaled, view.client);
    const auto key = static_cast<ScrollKey>(input.Int(0, 5));
    RequireInClamps(KeyScroll(view, key, input.Bool()), scaled, view.client);
    const Point limit = MaxScroll(scaled, view.client);
    RequireInClamps(DragScroll(view.scroll, DrawPoint(input), DrawPoint(input), limit), scaled,
                    view.client);
    const Size step = ScrollLineStep(view.client);
    Require(step.width >= 1 && step.height >= 1);
}

void CheckZoomChange(const ViewState& view, const ZoomChange& change) {
    if (!change.changed) {
        Require(change.zoom == view.zoom && change.scroll == view.scroll);
        return;
    }
    Require(change.scaled == ToView(view.image, change.zoom));
    RequireInClamps(change.scroll, change.scaled, view.client);
}

void CheckZooming(const ViewState& view, const ViewState& other, FuzzInput& input) {
    const int zoom = input.Int(-1, kMaxZoom);
    std::optional<Point> anchor;
    if (input.Bool()) anchor = DrawPoint(input);
    CheckZoomChange(view, ChangeZoom(view, zoom, anchor));

    const ZoomChange synced = SyncView(view, other);
    Require(synced.zoom == view.zoom);
    RequireInClamps(synced.scroll, synced.scaled, other.client);

    // Zoom to selection goes to a table entry, or stays where it is.
    const ZoomTable table = DrawZoomTable(input, kMaxZoom);
    const Rect selection = SpanRect(DrawPoint(input, kMaxPointer), DrawPoint(input, kMaxPointer));
    const int target = ZoomToRect(view, table, selection).zoom;
    Require(target == view.zoom || std::find(table.begin(), table.end(), target) != table.end());
}

void CheckFrameFit(FuzzInput& input) {
    FrameFitInput fit{DrawSize(input), DrawPoint(input), DrawSize(input), DrawSize(input)};
    fit.chrome = {fit.chrome.width % 256, fit.chrome.height % 256};
    fit.position = {fit.position.x % kMaxSide, fit.position.y % kMaxSide};
    if (fit.chrome.width > fit.area.width || fit.chrome.height > fit.area.height) return;
    const Rect frame = FitFrameToImage(fit);
    Require(frame.left >= 0 && frame.top >= 0);
    Require(frame.right <= fit.area.width && frame.bottom <= fit.area.height);
    Require(frame.Width() >= fit.chrome.width && frame.Height() >= fit.chrome.height);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const ViewState view = DrawView(input);
    const ViewState other = DrawView(input);
    CheckScrolling(view, input);
    CheckZooming(view, other, input);
    CheckFrameFit(input);
    return 0;
}

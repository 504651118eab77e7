#include "shell/ViewPaint.h"

#include <algorithm>

namespace {

// The end of the source run on one axis: up to two more pixels, within the image.
int SourceEnd(int start, int extent, int imageSize) {
    int end = start + extent;
    for (int extra = 0; extra < 2 && end < imageSize; ++extra)
        ++end;
    return std::clamp(end, start, std::max(start, imageSize));
}

} // namespace

PaintRegion RegionToPaint(const ViewState& view) {
    Point source = ToImage(view.scroll, view.zoom);
    if (source.x > 0) --source.x;
    if (source.y > 0) --source.y;
    Point destination = ToView(source, view.zoom);
    Size scaled = view.Scaled();
    Size shown{std::min(scaled.width - destination.x, view.client.width),
               std::min(scaled.height - destination.y, view.client.height)};
    Size extent = ToImage(shown, view.zoom);
    Size sourceSize{SourceEnd(source.x, extent.width, view.image.width) - source.x,
                    SourceEnd(source.y, extent.height, view.image.height) - source.y};
    return {source, sourceSize, destination, ToView(sourceSize, view.zoom)};
}

Point CheckerPhase(Point scroll) {
    return {(scroll.x % 8 + 8) % 8, (scroll.y % 8 + 8) % 8};
}

#include "shell/ViewGeometry.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

int HeldToInt(int64_t value) {
    constexpr int64_t low = std::numeric_limits<int>::min();
    constexpr int64_t high = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(value, low, high));
}

} // namespace

int ToView(int image, int zoom) {
    return HeldToInt((int64_t{image} * zoom + 50) / 100);
}

int ToImage(int view, int zoom) {
    return HeldToInt((zoom / 2 + int64_t{view} * 100) / zoom);
}

Point ToView(Point image, int zoom) {
    return {ToView(image.x, zoom), ToView(image.y, zoom)};
}

Point ToImage(Point view, int zoom) {
    return {ToImage(view.x, zoom), ToImage(view.y, zoom)};
}

Size ToView(Size image, int zoom) {
    return {ToView(image.width, zoom), ToView(image.height, zoom)};
}

Size ToImage(Size view, int zoom) {
    return {ToImage(view.width, zoom), ToImage(view.height, zoom)};
}

Point ClientToImage(Point client, Point scroll, int zoom) {
    return ToImage(Point{client.x + scroll.x, client.y + scroll.y}, zoom);
}

Point MaxScroll(Size scaled, Size client) {
    return {std::max(0, scaled.width - client.width), std::max(0, scaled.height - client.height)};
}

Point ClampScroll(Point scroll, Size scaled, Size client) {
    Point limit = MaxScroll(scaled, client);
    return {std::clamp(scroll.x, 0, limit.x), std::clamp(scroll.y, 0, limit.y)};
}

Point CentredScroll(Size scaled, Size client) {
    Point limit = MaxScroll(scaled, client);
    return {limit.x / 2, limit.y / 2};
}

Rect SpanRect(Point a, Point b) {
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

Rect SelectedImageRegion(const Rect& selection, Point scroll, int zoom) {
    Point origin = ClientToImage(Point{selection.left, selection.top}, scroll, zoom);
    Size extent = ToImage(Size{selection.Width(), selection.Height()}, zoom);
    return {origin.x, origin.y, origin.x + extent.width, origin.y + extent.height};
}

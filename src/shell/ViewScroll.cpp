#include "shell/ViewScroll.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

Point KeyDirection(ScrollKey key) {
    switch (key) {
    case ScrollKey::Left:
        return {-1, 0};
    case ScrollKey::Right:
        return {1, 0};
    case ScrollKey::Up:
        return {0, -1};
    case ScrollKey::Down:
        return {0, 1};
    case ScrollKey::PageUp:
        return {0, -16};
    case ScrollKey::PageDown:
        return {0, 16};
    }
    return {};
}

int MovedWithin(int position, int64_t step, int limit) {
    return static_cast<int>(std::clamp<int64_t>(position + step, 0, limit));
}

} // namespace

Point KeyScroll(const ViewState& view, ScrollKey key, bool shift) {
    int64_t factor = 1;
    if (view.zoom > 100) factor *= view.zoom / 100;
    if (shift) factor *= 16;
    Point direction = KeyDirection(key);
    Point limit = MaxScroll(view.Scaled(), view.client);
    return {MovedWithin(view.scroll.x, direction.x * factor, limit.x),
            MovedWithin(view.scroll.y, direction.y * factor, limit.y)};
}

Point DragScroll(Point pressScroll, Point pressPoint, Point pointer, Point limit) {
    return {MovedWithin(pressScroll.x, int64_t{pressPoint.x} - pointer.x, limit.x),
            MovedWithin(pressScroll.y, int64_t{pressPoint.y} - pointer.y, limit.y)};
}

Size ScrollLineStep(Size client) {
    return {std::max(1, client.width / 10), std::max(1, client.height / 10)};
}

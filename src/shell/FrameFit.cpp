#include "shell/FrameFit.h"

#include <algorithm>

namespace {

struct AxisFit {
    int position, length;
};

// One axis: the picture's length up to the room there is; a frame that would stick out moves
// back, and one as long as the room starts at 0.
AxisFit FitAxis(int position, int scaled, int room) {
    if (scaled > room) return {0, room};
    if (position + scaled > room) position = room - scaled;
    return {std::max(position, 0), scaled};
}

} // namespace

Rect FitFrameToImage(const FrameFitInput& input) {
    AxisFit x =
        FitAxis(input.position.x, input.scaled.width, input.area.width - input.chrome.width);
    AxisFit y =
        FitAxis(input.position.y, input.scaled.height, input.area.height - input.chrome.height);
    return {x.position, y.position, x.position + x.length + input.chrome.width,
            y.position + y.length + input.chrome.height};
}

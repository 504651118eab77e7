#pragma once
// The shape of a packed pixel block: rows of width pixels, stride bytes apart, height rows
// stored bottom-up as in every DIB.
#include <cstddef>

struct PixelLayout {
    size_t stride;
    size_t width;
    size_t height;
};

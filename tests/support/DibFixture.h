#pragma once
// Image buffers with known pixels for writer tests.
#include "core/DibImage.h"

#include <cstdint>
#include <functional>
#include <memory>

// A realized 24-bit image; colour(x, y) gives 0x00RRGGBB with y counted from the top.
inline std::unique_ptr<CDibImage> MakeTrueColorImage(int width, int height,
                                                     const std::function<uint32_t(int, int)>& colour) {
    auto image = std::make_unique<CDibImage>();
    size_t stride = DibStride(width, 24);
    if (!image->AllocateDib(40, stride * height)) return nullptr;
    BitmapInfoHeader* header = image->Header();
    header->biWidth = width;
    header->biHeight = height;
    header->biBitCount = 24;
    for (int y = 0; y < height; ++y) {
        uint8_t* row = image->Pixels() + stride * (height - 1 - y);
        for (int x = 0; x < width; ++x) {
            uint32_t c = colour(x, y);
            row[3 * x] = c & 0xFF;
            row[3 * x + 1] = (c >> 8) & 0xFF;
            row[3 * x + 2] = (c >> 16) & 0xFF;
        }
    }
    if (!image->Realize()) return nullptr;
    image->FreeDib();
    return image;
}

inline uint32_t TestColour(int x, int y) {
    return static_cast<uint32_t>(((x * 5 + y) & 0xFF) << 16 | ((x * y) & 0xFF) << 8 | ((y * 9 - x) & 0xFF));
}

#include "imageops/YCbCrSplit.h"

#include <algorithm>

uint8_t YCbCrValue(YCbCrComponent component, int blue, int green, int red) {
    // Integer division truncates toward zero, as the weights were defined with.
    int value = 0;
    switch (component) {
    case YCbCrComponent::Y:
        value = (77 * red + 150 * green + 29 * blue) / 256;
        break;
    case YCbCrComponent::Cb:
        value = (128 * blue - 43 * red - 85 * green) / 256 + 128;
        break;
    case YCbCrComponent::Cr:
        value = (128 * red - 107 * green - 21 * blue) / 256 + 128;
        break;
    }
    return static_cast<uint8_t>(std::clamp(value, 0, 255));
}

void SplitComponent(const uint8_t* source, const PixelLayout& sourceLayout,
                    YCbCrComponent component, uint8_t* target, size_t targetStride) {
    for (size_t y = 0; y < sourceLayout.height; ++y) {
        const uint8_t* in = source + y * sourceLayout.stride;
        uint8_t* out = target + y * targetStride;
        for (size_t x = 0; x < sourceLayout.width; ++x, in += 3)
            out[x] = YCbCrValue(component, in[0], in[1], in[2]);
    }
}

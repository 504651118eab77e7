#include "imageops/LevelTable.h"

#include <algorithm>

namespace {

// Fills T from index i and level v on. The accumulator spreads the steps evenly: with a slope
// above 1 the level rises every step and the index every 256 / d levels, below 1 the other way.
void FillSlope(int table[256], int i, int v, int contrast) {
    const bool steep = contrast >= 0;
    const int d = steep ? 256 - contrast : 256 + contrast;
    int acc = d / 2;
    while (i < 256 && v < 256) {
        table[i] = v;
        acc += d;
        bool carry = acc >= 256;
        if (carry) acc -= 256;
        if (steep) {
            ++v;
            i += carry;
        } else {
            ++i;
            v += carry;
        }
    }
    std::fill(table + std::min(i, 256), table + 256, 255);
}

} // namespace

void BuildLevelTable(int table[256], int contrast, int bias) {
    contrast = std::clamp(contrast, -255, 255);
    bias = std::clamp(bias, -255, 255);
    if (bias >= 0) {
        FillSlope(table, 0, bias, contrast);
        return;
    }
    std::fill(table, table + 1 - bias, 0); // inputs 0 ... -bias sit at level 0
    FillSlope(table, 1 - bias, 1, contrast);
}

std::array<uint8_t, 256> CombinedTransfer(const int gamma[256], const int levels[256]) {
    std::array<uint8_t, 256> transfer;
    for (int v = 0; v < 256; ++v)
        transfer[v] =
            static_cast<uint8_t>(std::clamp(gamma[std::clamp(levels[v], 0, 255)], 0, 255));
    return transfer;
}

void ApplyTransfer(const uint8_t* source, uint8_t* target, const PixelLayout& layout,
                   const int gamma[256], const int levels[256]) {
    const std::array<uint8_t, 256> transfer = CombinedTransfer(gamma, levels);
    const size_t rowBytes = layout.width * 3;
    for (size_t y = 0; y < layout.height; ++y) {
        const uint8_t* in = source + y * layout.stride;
        uint8_t* out = target + y * layout.stride;
        for (size_t x = 0; x < rowBytes; ++x)
            out[x] = transfer[in[x]];
    }
}

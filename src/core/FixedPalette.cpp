#include "core/FixedPalette.h"

#include <algorithm>

namespace {

RgbQuad Rgb(uint8_t red, uint8_t green, uint8_t blue) {
    return RgbQuad{blue, green, red, 0};
}

std::vector<RgbQuad> SixteenColors() {
    return {Rgb(0, 0, 0),       Rgb(128, 0, 0),   Rgb(0, 128, 0),   Rgb(128, 128, 0),
            Rgb(0, 0, 128),     Rgb(128, 0, 128), Rgb(0, 128, 128), Rgb(128, 128, 128),
            Rgb(192, 192, 192), Rgb(255, 0, 0),   Rgb(0, 255, 0),   Rgb(255, 255, 0),
            Rgb(0, 0, 255),     Rgb(255, 0, 255), Rgb(0, 255, 255), Rgb(255, 255, 255)};
}

// Index g × (redLevels × blueLevels) + r × blueLevels + b.
std::vector<RgbQuad> ColorCube(const std::vector<uint8_t>& redGreenLevels,
                               const std::vector<uint8_t>& blueLevels) {
    std::vector<RgbQuad> table;
    for (uint8_t green : redGreenLevels)
        for (uint8_t red : redGreenLevels)
            for (uint8_t blue : blueLevels)
                table.push_back(Rgb(red, green, blue));
    return table;
}

} // namespace

std::vector<RgbQuad> FixedPalette(int entries) {
    const std::vector<uint8_t> fourLevels = {0x00, 0x80, 0xC0, 0xFF};
    switch (entries) {
    case 2:
        return {Rgb(0, 0, 0), Rgb(255, 255, 255)};
    case 16:
        return SixteenColors();
    case 64:
        return ColorCube(fourLevels, fourLevels);
    case 256:
        return ColorCube({0x00, 0x40, 0x60, 0x80, 0xA0, 0xC0, 0xE0, 0xFF}, fourLevels);
    default:
        return {};
    }
}

std::vector<RgbQuad> ColorTableFor(std::span<const RgbQuad> palette, int colorType) {
    if (palette.empty()) return FixedPalette(colorType);
    const size_t count = colorType > 0 ? size_t(colorType) : 0;
    std::vector<RgbQuad> table(palette.begin(), palette.begin() + std::min(palette.size(), count));
    table.resize(count);
    return table;
}

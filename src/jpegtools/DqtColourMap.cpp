#include "jpegtools/DqtColourMap.h"

#include <cmath>

namespace {

// The green frequency is kept as stored, a little below pi; red and blue use 3 pi and 9 pi.
constexpr double kGreenFrequency = 3.141592563589793;
constexpr double kRedFrequency = 9.42477796076938;
constexpr double kBlueFrequency = 28.274333882308138;

uint8_t Wave(int index, double frequency) {
    return static_cast<uint8_t>((std::cos(index * frequency / 255) + 1) * 127.5);
}

std::array<MapColour, 256> BuildMap() {
    std::array<MapColour, 256> map;
    for (int i = 0; i < 256; ++i)
        map[i] = {Wave(i, kRedFrequency), Wave(i, kGreenFrequency), Wave(i, kBlueFrequency)};
    return map;
}

} // namespace

const std::array<MapColour, 256>& DqtColourMap() {
    static const std::array<MapColour, 256> map = BuildMap();
    return map;
}

uint8_t LegendIndex(int rowFromTop) {
    return static_cast<uint8_t>((rowFromTop + 1) & 0xFF);
}

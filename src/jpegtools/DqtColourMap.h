#pragma once
// The colours quantization table grids draw values with: one 256-entry map built once, index 0
// white and higher values cycling through the colours.
#include <array>
#include <cstdint>

struct MapColour {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
};

const std::array<MapColour, 256>& DqtColourMap();
// The map index of a legend strip's cell, counting rows of its 256 from the top: 1 at the top
// rising to 255, and 0 in the bottom row.
uint8_t LegendIndex(int rowFromTop);

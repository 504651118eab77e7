#pragma once
// Maps colours to the nearest entry of a colour table (least squared distance in R, G, B; the
// lowest index on ties). The search walks the entries in order of green outward from the
// colour's own green and stops where green alone is farther than the best match; recent answers
// are cached, so pictures with few colours map quickly.
#include "core/DibTypes.h"

#include <array>
#include <cstdint>
#include <vector>

class CNearestColor {
public:
    explicit CNearestColor(std::vector<RgbQuad> table);
    // The index for a colour given as 0x00RRGGBB.
    uint8_t IndexOf(uint32_t rgb);

private:
    uint8_t Search(uint32_t rgb) const;

    std::vector<RgbQuad> table_;
    std::vector<uint8_t> byGreen_; // entry indices sorted by green
    std::array<uint32_t, 4096> cachedColor_;
    std::array<uint8_t, 4096> cachedIndex_{};
};

#include "core/NearestColor.h"

#include <limits>

namespace {
constexpr uint32_t kNoColor = 0xFFFFFFFF; // never a 0x00RRGGBB value
}

CNearestColor::CNearestColor(std::vector<RgbQuad> table) : table_(std::move(table)) {
    if (table_.size() > 256) table_.resize(256);
    cachedColor_.fill(kNoColor);
}

uint8_t CNearestColor::IndexOf(uint32_t rgb) {
    size_t slot = ((rgb * 2654435761u) >> 20) & 4095;
    if (cachedColor_[slot] != rgb) {
        cachedColor_[slot] = rgb;
        cachedIndex_[slot] = Search(rgb);
    }
    return cachedIndex_[slot];
}

uint8_t CNearestColor::Search(uint32_t rgb) const {
    int red = (rgb >> 16) & 0xFF, green = (rgb >> 8) & 0xFF, blue = rgb & 0xFF;
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (size_t i = 0; i < table_.size(); ++i) {
        int dr = red - table_[i].rgbRed, dg = green - table_[i].rgbGreen;
        int db = blue - table_[i].rgbBlue;
        int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<int>(i);
        }
    }
    return static_cast<uint8_t>(best);
}

#include "core/NearestColor.h"

#include <algorithm>
#include <limits>
#include <numeric>

namespace {

constexpr uint32_t kNoColor = 0xFFFFFFFF; // never a 0x00RRGGBB value

// The best entry so far: smaller distance wins, then the lower index.
struct Match {
    int distance = std::numeric_limits<int>::max();
    int index = 0;
    void Offer(int candidateDistance, int candidateIndex) {
        if (candidateDistance < distance ||
            (candidateDistance == distance && candidateIndex < index))
            distance = candidateDistance, index = candidateIndex;
    }
};

} // namespace

CNearestColor::CNearestColor(std::vector<RgbQuad> table) : table_(std::move(table)) {
    if (table_.size() > 256) table_.resize(256);
    byGreen_.resize(table_.size());
    std::iota(byGreen_.begin(), byGreen_.end(), uint8_t{0});
    std::stable_sort(byGreen_.begin(), byGreen_.end(), [this](uint8_t a, uint8_t b) {
        return table_[a].rgbGreen < table_[b].rgbGreen;
    });
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
    const int red = (rgb >> 16) & 0xFF, green = (rgb >> 8) & 0xFF, blue = rgb & 0xFF;
    const auto start =
        std::lower_bound(byGreen_.begin(), byGreen_.end(), green, [this](uint8_t entry, int value) {
            return table_[entry].rgbGreen < value;
        });
    Match best;
    // Returns false once green alone puts this entry (and all beyond it) farther than the best.
    auto offer = [&](uint8_t entry) {
        const RgbQuad& c = table_[entry];
        int dg = green - c.rgbGreen;
        if (dg * dg > best.distance) return false;
        int dr = red - c.rgbRed, db = blue - c.rgbBlue;
        best.Offer(dr * dr + dg * dg + db * db, entry);
        return true;
    };
    for (auto up = start; up != byGreen_.end() && offer(*up); ++up) {
    }
    for (auto down = start; down != byGreen_.begin() && offer(*(down - 1)); --down) {
    }
    return static_cast<uint8_t>(best.index);
}

#include "core/NearestColor.h"

#include "core/FixedPalette.h"

#include <gtest/gtest.h>

#include <random>

namespace {

int BruteForce(const std::vector<RgbQuad>& table, uint32_t rgb) {
    int best = 0, bestDistance = 1 << 30;
    for (size_t i = 0; i < table.size(); ++i) {
        int dr = int(rgb >> 16 & 0xFF) - table[i].rgbRed;
        int dg = int(rgb >> 8 & 0xFF) - table[i].rgbGreen;
        int db = int(rgb & 0xFF) - table[i].rgbBlue;
        int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) bestDistance = distance, best = int(i);
    }
    return best;
}

} // namespace

TEST(NearestColor, AgreesWithAFullSearchIncludingTies) {
    std::mt19937 random(7);
    std::vector<RgbQuad> table(200);
    for (RgbQuad& entry : table)
        entry = RgbQuad{uint8_t(random() % 8 * 32), uint8_t(random() % 8 * 32),
                        uint8_t(random() % 8 * 32), 0}; // coarse levels give duplicates and ties
    for (const auto& candidate : {table, FixedPalette(16), FixedPalette(256)}) {
        CNearestColor nearest(candidate);
        for (int i = 0; i < 4000; ++i) {
            uint32_t rgb = random() & 0xFFFFFF;
            ASSERT_EQ(nearest.IndexOf(rgb), BruteForce(candidate, rgb)) << std::hex << rgb;
        }
    }
    CNearestColor empty({});
    EXPECT_EQ(empty.IndexOf(0x123456), 0);
}

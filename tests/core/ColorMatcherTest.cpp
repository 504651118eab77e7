#include "core/ColorMatcher.h"
#include "core/FixedPalette.h"

#include <gtest/gtest.h>

namespace {

RgbQuad Gray(uint8_t level) {
    return RgbQuad{level, level, level, 0};
}

int LookupIn(const std::vector<RgbQuad>& palette, uint8_t blue, uint8_t green, uint8_t red) {
    CColorMatcher matcher;
    matcher.Init(palette.data(), palette.size());
    matcher.Build();
    return matcher.Lookup(blue, green, red);
}

} // namespace

TEST(ColorMatcher, EveryEntryOfTheFixedPalettesFindsItself) {
    for (int size : {16, 256}) {
        std::vector<RgbQuad> palette = FixedPalette(size);
        CColorMatcher matcher;
        matcher.Init(palette.data(), palette.size());
        matcher.Build();
        for (int i = 0; i < size; ++i)
            EXPECT_EQ(matcher.Lookup(palette[i].rgbBlue, palette[i].rgbGreen, palette[i].rgbRed), i)
                << size << " entries, index " << i;
    }
}

TEST(ColorMatcher, SearchesOnlyTheLuminanceBucket) {
    const std::vector<RgbQuad> palette = {Gray(0), Gray(100)};
    EXPECT_EQ(LookupIn(palette, 15, 15, 15), 0);
    // Luma 20 has no bucket of its own: the next higher one is used although black is nearer.
    EXPECT_EQ(LookupIn(palette, 20, 20, 20), 1);
    // Past the last bucket the last one serves.
    EXPECT_EQ(LookupIn(palette, 255, 255, 255), 1);
    // Within a bucket the sum of channel differences decides.
    EXPECT_EQ(LookupIn({Gray(96), RgbQuad{110, 100, 90, 0}, Gray(104)}, 108, 99, 92), 1);
    EXPECT_EQ(LookupIn({}, 1, 2, 3), 0);
}

TEST(ColorMatcher, TiesGoToTheLaterEntryInCombSortOrder) {
    // Keys 1, 0, 0, 0: the first pass (gap 3) swaps entries 0 and 3, so bucket 0 holds the
    // entries in the order 3, 1, 2. Gray 4 is 12 away from both gray 0 (entry 3) and gray 8
    // (entry 1); the later of the two in that order wins.
    const std::vector<RgbQuad> palette = {Gray(20), Gray(8), Gray(15), Gray(0)};
    EXPECT_EQ(LookupIn(palette, 4, 4, 4), 1);
    // Equal entries: the later one in sorted order (no swap among equal keys).
    EXPECT_EQ(LookupIn({Gray(50), Gray(50)}, 50, 50, 50), 0); // an exact match ends the scan
    EXPECT_EQ(LookupIn({Gray(50), Gray(50)}, 52, 52, 52), 1);
}

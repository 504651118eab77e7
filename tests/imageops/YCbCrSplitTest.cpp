#include "imageops/YCbCrSplit.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

struct Expectation {
    const char* name;
    int blue, green, red;
    int y, cb, cr;
};

} // namespace

TEST(YCbCrSplit, PrimaryColours) {
    const Expectation cases[] = {
        {"white", 255, 255, 255, 255, 128, 128}, {"black", 0, 0, 0, 0, 128, 128},
        {"red", 0, 0, 255, 76, 86, 255},         {"green", 0, 255, 0, 149, 44, 22},
        {"blue", 255, 0, 0, 28, 255, 108},
    };
    for (const Expectation& c : cases) {
        EXPECT_EQ(YCbCrValue(YCbCrComponent::Y, c.blue, c.green, c.red), c.y) << c.name;
        EXPECT_EQ(YCbCrValue(YCbCrComponent::Cb, c.blue, c.green, c.red), c.cb) << c.name;
        EXPECT_EQ(YCbCrValue(YCbCrComponent::Cr, c.blue, c.green, c.red), c.cr) << c.name;
    }
}

TEST(YCbCrSplit, PlanesFollowTheRowLayouts) {
    // 5 × 2 pixels: 24-bit rows of 16 bytes, 8-bit rows of 8 bytes whose padding stays.
    std::vector<uint8_t> source(32, 0);
    for (int x = 0; x < 5; ++x)
        source[16 + 3 * x + 2] = 255; // top row red
    for (int x = 0; x < 5; ++x)
        source[3 * x + 1] = 100; // bottom row grey-green
    std::vector<uint8_t> plane(16, 0xEE);
    SplitComponent(source.data(), {16, 5, 2}, YCbCrComponent::Cr, plane.data(), 8);
    const int bottomCr = YCbCrValue(YCbCrComponent::Cr, 0, 100, 0);
    for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(plane[x], bottomCr);
        EXPECT_EQ(plane[8 + x], 255);
    }
    EXPECT_EQ(plane[5], 0xEE);
    EXPECT_EQ(plane[15], 0xEE);
}

TEST(YCbCrSplit, GreyHasNoColourDifference) {
    for (int v = 0; v < 256; ++v) {
        EXPECT_EQ(YCbCrValue(YCbCrComponent::Cb, v, v, v), 128) << v;
        EXPECT_EQ(YCbCrValue(YCbCrComponent::Cr, v, v, v), 128) << v;
    }
}

#include "imageops/LevelTable.h"
#include "base/GammaTable.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace {

std::vector<int> Levels(int contrast, int bias) {
    std::vector<int> table(256, -1);
    BuildLevelTable(table.data(), contrast, bias);
    return table;
}

std::vector<int> Expected(int (*rule)(int)) {
    std::vector<int> table(256);
    for (int i = 0; i < 256; ++i)
        table[i] = rule(i);
    return table;
}

} // namespace

TEST(LevelTable, BiasShiftsAndContrastScales) {
    EXPECT_EQ(Levels(0, 0), Expected([](int i) { return i; }));
    EXPECT_EQ(Levels(0, 10), Expected([](int i) { return std::min(i + 10, 255); }));
    EXPECT_EQ(Levels(0, -10), Expected([](int i) { return std::max(i - 10, 0); }));
    EXPECT_EQ(Levels(128, 0), Expected([](int i) { return std::min(2 * i + 1, 255); }));
    EXPECT_EQ(Levels(-128, 0), Expected([](int i) { return i / 2; }));
    EXPECT_EQ(Levels(0, 255), std::vector<int>(256, 255));
    EXPECT_EQ(Levels(0, -255), std::vector<int>(256, 0));
}

TEST(LevelTable, ExtremeContrast) {
    for (int bias : {0, 10, 128, 255}) {
        EXPECT_EQ(Levels(255, bias), std::vector<int>(256, 255)) << bias;
        EXPECT_EQ(Levels(-255, bias), std::vector<int>(256, bias)) << bias;
    }
    // With a negative bias the line starts at level 1 after the zeros.
    std::vector<int> flat = Levels(-255, -10);
    EXPECT_EQ(flat[10], 0);
    EXPECT_EQ(flat[11], 1);
    EXPECT_EQ(flat[255], 1);
}

TEST(LevelTable, EveryEntryFilledInRangeAndRising) {
    // Values outside -255 ... 255 are limited instead of writing past the table.
    for (int contrast = -300; contrast <= 300; contrast += 15)
        for (int bias = -300; bias <= 300; bias += 15) {
            std::vector<int> table = Levels(contrast, bias);
            EXPECT_TRUE(
                std::all_of(table.begin(), table.end(), [](int v) { return v >= 0 && v <= 255; }))
                << contrast << "," << bias;
            EXPECT_TRUE(std::is_sorted(table.begin(), table.end())) << contrast << "," << bias;
        }
}

TEST(ApplyTransfer, GammaAfterLevelsOnSampleBytesOnly) {
    int gamma[256], levels[256];
    BuildGammaTable(gamma, 2.0);
    BuildLevelTable(levels, 0, 1); // v -> v + 1, then the gamma table
    // 2 × 1 pixels: 6 sample bytes and 2 bytes of padding per row, 2 rows.
    std::vector<uint8_t> pixels = {0, 1, 2, 3, 254, 255, 0xAA, 0xBB, 0, 0, 0, 0, 0, 0, 0xCC, 0xDD};
    std::vector<uint8_t> source = pixels;
    ApplyTransfer(pixels.data(), pixels.data(), {8, 2, 2}, gamma, levels);
    EXPECT_EQ(gamma[1], 16);
    EXPECT_EQ(gamma[2], 23);
    const uint8_t firstRow[] = {
        16,   23,  static_cast<uint8_t>(gamma[3]), static_cast<uint8_t>(gamma[4]), 255, 255,
        0xAA, 0xBB};
    EXPECT_TRUE(std::equal(firstRow, firstRow + 8, pixels.begin()));
    EXPECT_EQ(pixels[8], 16);
    EXPECT_EQ(pixels[14], 0xCC);

    // Into a separate block: the source stays as it was.
    std::vector<uint8_t> copy(16, 0);
    ApplyTransfer(source.data(), copy.data(), {8, 2, 2}, gamma, levels);
    EXPECT_EQ(copy[0], 16);
    EXPECT_EQ(copy[6], 0);
    EXPECT_EQ(source[1], 1);
}

#include "core/DisplayReduction.h"

#include "base/HeadlessPlatform.h"
#include "core/FixedPalette.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// A bottom-up 24-bit packed DIB of one row per vector, bottom row first, as B,G,R triples.
std::unique_ptr<CDibImage> Picture24(const std::vector<std::vector<uint8_t>>& rows,
                                     int tableEntries = 0) {
    int width = static_cast<int>(rows[0].size() / 3);
    size_t stride = DibStride(size_t(width), 24);
    auto image = std::make_unique<CDibImage>();
    image->AllocateDib(40 + 4 * size_t(tableEntries), stride * rows.size());
    BitmapInfoHeader info;
    info.biWidth = width;
    info.biHeight = static_cast<int32_t>(rows.size());
    info.biBitCount = 24;
    info.biClrUsed = static_cast<uint32_t>(tableEntries);
    std::memcpy(image->HeaderBlock(), &info, sizeof info);
    for (size_t y = 0; y < rows.size(); ++y)
        std::memcpy(image->Pixels() + y * stride, rows[y].data(), rows[y].size());
    return image;
}

std::unique_ptr<CDibImage> Prepare(std::unique_ptr<CDibImage> image, int depth, int dither = 0) {
    return PrepareForDisplay(std::move(image), depth, dither);
}

const std::vector<uint8_t> kGreyPair = {128, 128, 128, 128, 128, 128};

} // namespace

TEST(DisplayReduction, TwoByTwoDitherOfTheSpecification) {
    EXPECT_EQ(DitherIndex256(128, 128, 128, 0, 0), 109);                // b 1, r 3, g 3
    EXPECT_EQ(DitherIndex256(128, 128, 128, 1, 0), 2 + 4 * 4 + 32 * 4); // t = 640
    EXPECT_EQ(DitherIndex256(0, 0, 0, 1, 1), 0);
    EXPECT_EQ(DitherIndex256(255, 255, 255, 0, 0), 3 + 4 * 7 + 32 * 7);
}

TEST(DisplayReduction, TrueColorScreensKeepThePixels) {
    for (int depth : {32, 24, 16, 15}) {
        auto image = Prepare(Picture24({{1, 2, 3, 250, 251, 252}}), depth);
        ASSERT_TRUE(image) << depth;
        EXPECT_EQ(image->ColorType(), 0);
        EXPECT_EQ(image->PixelColor(0, 0), 0x030201u);
        EXPECT_EQ(image->PixelColor(1, 0), 0xFCFBFAu);
        EXPECT_EQ(image->HeaderSize(), 0u);
    }
    EXPECT_EQ(Headless().WaitDepth(), 0);
}

TEST(DisplayReduction, SixteenBitDitherRaisesLowBitsInPattern) {
    // Value 3 has pattern 0x92: pixels 1, 4 and 7 of the bottom row (phase 0) rise by 7; 250 (low
    // bits 2, pattern 0x44) reaches 255 at pixels 2 and 6; 0 never changes.
    std::vector<uint8_t> row;
    for (int i = 0; i < 8; ++i)
        row.insert(row.end(), {3, 250, 0});
    auto image = Prepare(Picture24({row, row}), 16, 1);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->ColorType(), 0);
    EXPECT_FALSE(image->HasPalette());
    for (int x = 0; x < 8; ++x) {
        uint32_t color = image->PixelColor(x, 1); // the bottom row
        EXPECT_EQ(color & 0xFF, (x == 1 || x == 4 || x == 7) ? 10u : 3u) << x;
        EXPECT_EQ(color >> 8 & 0xFF, (x == 2 || x == 6) ? 255u : 250u) << x;
        EXPECT_EQ(color >> 16, 0u);
    }
    // The next row up starts at phase 3: value 3 rises at pixels 1 and 4 (bits 4 and 7).
    EXPECT_EQ(image->PixelColor(1, 0) & 0xFF, 10u);
    EXPECT_EQ(image->PixelColor(0, 0) & 0xFF, 3u);
}

TEST(DisplayReduction, EightBitScreenGetsTheDitheredCube) {
    auto image = Prepare(Picture24({kGreyPair, kGreyPair}), 8);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->ColorType(), 256);
    EXPECT_EQ(image->Palette().size(), 256u);
    EXPECT_EQ(image->Indices()[2], 109); // bottom row, x = 0
    EXPECT_EQ(image->Indices()[3], DitherIndex256(128, 128, 128, 1, 0));
    EXPECT_EQ(image->Indices()[0], DitherIndex256(128, 128, 128, 0, 1));
    EXPECT_EQ(Headless().WaitDepth(), 0);
}

TEST(DisplayReduction, FewColorScreensMapToTheNearestEntry) {
    auto sixteen = Prepare(Picture24({{10, 10, 250, 200, 200, 200}}), 4);
    ASSERT_TRUE(sixteen);
    EXPECT_EQ(sixteen->Palette().size(), 16u);
    EXPECT_EQ(sixteen->Indices()[0], 9); // red
    EXPECT_EQ(sixteen->Indices()[1], 8); // silver

    auto sixtyFour = Prepare(Picture24({{0xF0, 0xC8, 0x70}}), 6); // blue, green, red
    ASSERT_TRUE(sixtyFour);
    EXPECT_EQ(sixtyFour->Palette().size(), 64u);
    EXPECT_EQ(sixtyFour->Indices()[0], 2 * 16 + 1 * 4 + 3); // g 0xC0, r 0x80, b 0xFF
}

TEST(DisplayReduction, PaletteDibsAndTablesOfTrueColorDibs) {
    auto withTable = Picture24({{1, 2, 3}}, 2);
    withTable->ColorTable()[1] = RgbQuad{9, 8, 7, 0};
    auto image = Prepare(std::move(withTable), 32);
    ASSERT_TRUE(image);
    ASSERT_EQ(image->Palette().size(), 2u);
    EXPECT_EQ(image->Palette()[1].rgbRed, 7);

    auto eightBit = std::make_unique<CDibImage>();
    eightBit->AllocateDib(40 + 1024, 4);
    BitmapInfoHeader info;
    info.biWidth = 1, info.biHeight = 1, info.biBitCount = 8;
    std::memcpy(eightBit->HeaderBlock(), &info, sizeof info);
    eightBit->Pixels()[0] = 77;
    image = Prepare(std::move(eightBit), 4);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->Indices()[0], 77); // palette DIBs are never reduced
}

TEST(DisplayReduction, FailedRealizeGivesNull) {
    auto image = Picture24({{1, 2, 3}});
    image->Header()->biPlanes = 3;
    EXPECT_FALSE(Prepare(std::move(image), 32));
    EXPECT_FALSE(PrepareForDisplay(nullptr, 32, 0));
}

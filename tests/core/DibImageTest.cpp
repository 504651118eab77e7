#include "core/DibImage.h"

#include "platform/HeadlessPlatform.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// A packed DIB built in the test: header, colour table and rows as given.
struct PackedDib {
    BitmapInfoHeader info;
    std::vector<RgbQuad> table;
    std::vector<uint8_t> pixels;

    std::vector<uint8_t> HeaderBytes() const {
        std::vector<uint8_t> bytes(sizeof info + table.size() * sizeof(RgbQuad));
        std::memcpy(bytes.data(), &info, sizeof info);
        if (!table.empty()) std::memcpy(bytes.data() + sizeof info, table.data(), table.size() * 4);
        return bytes;
    }
    std::unique_ptr<CDibImage> Load() const {
        auto image = std::make_unique<CDibImage>();
        std::vector<uint8_t> header = HeaderBytes();
        if (!image->AllocateDib(header.size(), pixels.size())) return nullptr;
        std::memcpy(image->HeaderBlock(), header.data(), header.size());
        std::memcpy(image->Pixels(), pixels.data(), pixels.size());
        return image;
    }
};

PackedDib Dib(int width, int height, int bitCount, uint32_t compression = kBiRgb) {
    PackedDib dib;
    dib.info.biWidth = width;
    dib.info.biHeight = height;
    dib.info.biBitCount = static_cast<uint16_t>(bitCount);
    dib.info.biCompression = compression;
    size_t rows = static_cast<size_t>(height < 0 ? -height : height);
    dib.pixels.assign(DibStride(static_cast<size_t>(width), bitCount) * rows, 0);
    return dib;
}

RgbQuad Rgb(uint8_t red, uint8_t green, uint8_t blue) { return RgbQuad{blue, green, red, 0}; }

} // namespace

TEST(DibImage, StridesPadRowsToFourBytes) {
    EXPECT_EQ(DibStride(1, 24), 4u);
    EXPECT_EQ(DibStride(2, 24), 8u);
    EXPECT_EQ(DibStride(3, 24), 12u);
    EXPECT_EQ(DibStride(5, 24), 16u);
    EXPECT_EQ(DibStride(21844, 24), 65532u);
    EXPECT_EQ(DibStride(21845, 24), 65536u); // beyond what a 16-bit stride could hold
    EXPECT_EQ(DibStride(9, 1), 4u);
    EXPECT_EQ(DibStride(9, 4), 8u);
    EXPECT_EQ(DibStride(5, 8), 8u);
    EXPECT_EQ(ColorTypeOf(1, 1), 2);
    EXPECT_EQ(ColorTypeOf(1, 4), 16);
    EXPECT_EQ(ColorTypeOf(1, 8), 256);
    EXPECT_EQ(ColorTypeOf(1, 16), 0);
}

TEST(DibImage, Realizes24BitRowsBottomUp) {
    PackedDib dib = Dib(2, 2, 24);
    // Bottom row: blue, green; top row: red, white.
    const uint8_t bottom[] = {255, 0, 0, 0, 255, 0}, top[] = {0, 0, 255, 255, 255, 255};
    std::memcpy(dib.pixels.data(), bottom, 6);
    std::memcpy(dib.pixels.data() + 8, top, 6);
    auto image = dib.Load();
    ASSERT_TRUE(image->Realize());
    EXPECT_EQ(image->Width(), 2);
    EXPECT_EQ(image->Height(), 2);
    EXPECT_EQ(image->ColorType(), 0);
    EXPECT_EQ(image->PixelColor(0, 0), 0xFF0000u);
    EXPECT_EQ(image->PixelColor(1, 0), 0xFFFFFFu);
    EXPECT_EQ(image->PixelColor(0, 1), 0x0000FFu);
    EXPECT_EQ(image->PixelColor(1, 1), 0x00FF00u);
    EXPECT_EQ(image->Bits()[0], 0xFFFF0000u);
}

TEST(DibImage, Realizes8BitIndicesWithTheirPalette) {
    PackedDib dib = Dib(3, 1, 8);
    dib.info.biClrUsed = 2;
    dib.table = {Rgb(10, 20, 30), Rgb(200, 100, 50)};
    dib.pixels[0] = 1, dib.pixels[1] = 0, dib.pixels[2] = 7; // 7 lies beyond the table
    auto image = dib.Load();
    ASSERT_TRUE(image->Realize());
    EXPECT_EQ(image->ColorType(), 256);
    ASSERT_EQ(image->Palette().size(), 2u);
    EXPECT_EQ(image->Indices()[0], 1);
    EXPECT_EQ(image->PixelColor(0, 0), 0xC86432u);
    EXPECT_EQ(image->PixelColor(1, 0), 0x0A141Eu);
    EXPECT_EQ(image->PixelColor(2, 0), 0u);
}

TEST(DibImage, PrepareForDisplayRealizesAndFreesThePackedForm) {
    Headless().SetScreenDepth(32);
    auto image = PrepareForDisplay(Dib(4, 3, 24).Load(), 0);
    ASSERT_TRUE(image);
    EXPECT_FALSE(image->IsEmpty());
    EXPECT_EQ(image->HeaderSize(), 0u);
    EXPECT_EQ(image->PixelSize(), 0u);
}

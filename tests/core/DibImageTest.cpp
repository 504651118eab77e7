#include "core/DibImage.h"

#include "base/HeadlessPlatform.h"
#include "base/MemoryLimit.h"
#include "core/DibExtract.h"
#include "core/FixedPalette.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <span>
#include <vector>

namespace {

// A packed DIB built in the test: header, colour table and rows as given.
struct TestDib {
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

TestDib Dib(int width, int height, int bitCount, uint32_t compression = kBiRgb) {
    TestDib dib;
    dib.info.biWidth = width;
    dib.info.biHeight = height;
    dib.info.biBitCount = static_cast<uint16_t>(bitCount);
    dib.info.biCompression = compression;
    size_t rows = static_cast<size_t>(height < 0 ? -height : height);
    dib.pixels.assign(DibStride(static_cast<size_t>(width), bitCount) * rows, 0);
    return dib;
}

RgbQuad Rgb(uint8_t red, uint8_t green, uint8_t blue) {
    return RgbQuad{blue, green, red, 0};
}

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
    TestDib dib = Dib(2, 2, 24);
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
    TestDib dib = Dib(3, 1, 8);
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
    auto image = PrepareForDisplay(Dib(4, 3, 24).Load(), 32, 0);
    ASSERT_TRUE(image);
    EXPECT_FALSE(image->IsEmpty());
    EXPECT_EQ(image->HeaderSize(), 0u);
    EXPECT_EQ(image->PixelSize(), 0u);
}

TEST(DibImage, DecodesBitFieldsAndSixteenBitDefaults) {
    TestDib rgb555 = Dib(2, 1, 16);
    rgb555.pixels = {0x00, 0x7C, 0x1F, 0x00}; // pure red, pure blue (5-5-5)
    auto image = rgb555.Load();
    ASSERT_TRUE(image->Realize());
    EXPECT_EQ(image->PixelColor(0, 0), 0xFF0000u);
    EXPECT_EQ(image->PixelColor(1, 0), 0x0000FFu);

    // 5-6-5 masks follow a 40-byte header; green 32 of 63 scales to 130.
    TestDib rgb565 = Dib(1, 1, 16, kBiBitfields);
    rgb565.table = {RgbQuad{0x00, 0xF8, 0, 0}, RgbQuad{0xE0, 0x07, 0, 0}, RgbQuad{0x1F, 0, 0, 0}};
    rgb565.pixels = {0x00, 0x04, 0, 0};
    image = rgb565.Load();
    ASSERT_TRUE(image->Realize());
    EXPECT_EQ(image->PixelColor(0, 0), 0x008200u);
    EXPECT_EQ(image->ColorType(), 0);

    // 32-bit masks in another order (X,B,G,R from the high byte down).
    TestDib xbgr = Dib(1, 1, 32, kBiBitfields);
    xbgr.table = {RgbQuad{0xFF, 0, 0, 0}, RgbQuad{0, 0xFF, 0, 0}, RgbQuad{0, 0, 0xFF, 0}};
    xbgr.pixels = {0x11, 0x22, 0x33, 0x44};
    image = xbgr.Load();
    ASSERT_TRUE(image->Realize());
    EXPECT_EQ(image->PixelColor(0, 0), 0x112233u);
}

TEST(DibImage, DecodesTopDownRowsAndFourBitIndices) {
    TestDib dib = Dib(3, -2, 4);
    dib.table = FixedPalette(16);
    dib.pixels[0] = 0x12, dib.pixels[1] = 0x30; // top row: 1, 2, 3
    dib.pixels[4] = 0xF0;                       // bottom row: 15, 0, 0
    auto image = dib.Load();
    ASSERT_TRUE(image->Realize());
    EXPECT_EQ(image->Height(), 2);
    EXPECT_EQ(image->ColorType(), 16);
    const uint8_t expected[] = {1, 2, 3, 15, 0, 0};
    EXPECT_EQ(std::memcmp(image->Indices(), expected, 6), 0);
}

TEST(DibImage, DecodesRle8RunsDeltasAndAbsoluteRuns) {
    TestDib dib = Dib(4, 3, 8, kBiRle8);
    dib.table = FixedPalette(16);
    dib.pixels = {3, 5,             // bottom row: three 5s
                  0, 0,             // end of line
                  0, 2, 1, 1,       // delta: one right, one up (to the top row)
                  0, 3, 7, 8, 9, 0, // absolute run 7, 8, 9 (padded), clipped at the right edge
                  9, 4,             // a run past the edge is clipped
                  0, 1};            // end of bitmap
    auto image = dib.Load();
    ASSERT_TRUE(image->Realize());
    const uint8_t expected[] = {0, 7, 8, 9,  // top row
                                0, 0, 0, 0,  // middle row, skipped by the delta
                                5, 5, 5, 0}; // bottom row
    EXPECT_EQ(std::memcmp(image->Indices(), expected, sizeof expected), 0);
}

TEST(DibImage, DecodesRle4NibblePairs) {
    TestDib dib = Dib(5, 1, 4, kBiRle4);
    dib.table = FixedPalette(16);
    dib.pixels = {3, 0x12, 0, 3, 0xAB, 0xC0, 0, 1}; // 1,2,1 then absolute A,B (C clipped)
    auto image = dib.Load();
    ASSERT_TRUE(image->Realize());
    const uint8_t expected[] = {1, 2, 1, 0xA, 0xB};
    EXPECT_EQ(std::memcmp(image->Indices(), expected, sizeof expected), 0);
}

TEST(DibImage, TruncatedRleKeepsWhatItHas) {
    TestDib dib = Dib(4, 2, 8, kBiRle8);
    dib.pixels = {2, 9, 0, 4, 1}; // an absolute run whose data is cut short
    auto image = dib.Load();
    ASSERT_TRUE(image->Realize());
    EXPECT_EQ(image->Indices()[4], 9);
    EXPECT_EQ(image->Indices()[6], 1);
    EXPECT_EQ(image->Indices()[7], 0);
}

TEST(DibImage, MalformedDibsFailWithAnEmptyImage) {
    std::vector<TestDib> bad;
    bad.push_back(Dib(4, 4, 24));
    bad.back().pixels.resize(bad.back().pixels.size() - 13); // last row short
    bad.push_back(Dib(4, 4, 2));                             // no such bit count for Windows
    bad.push_back(Dib(4, -4, 8, kBiRle8));                   // top-down RLE
    bad.push_back(Dib(4, 4, 24, kBiRle8));                   // RLE8 of 24-bit pixels
    bad.push_back(Dib(4, 4, 24, kBiBitfields));
    bad.push_back(Dib(4, 4, 8, 7)); // unknown compression
    bad.push_back(Dib(4, 4, 8));
    bad.back().info.biPlanes = 2;
    bad.push_back(Dib(1, 1, 8));
    bad.back().info.biWidth = 0;
    bad.push_back(Dib(1, 1, 8));
    bad.back().info.biHeight = INT32_MIN;
    bad.push_back(Dib(1, 1, 8, kBiRle8)); // four gigapixels from a few bytes
    bad.back().info.biWidth = bad.back().info.biHeight = 0x10000;
    bad.back().pixels = {0, 1};
    for (size_t i = 0; i < bad.size(); ++i) {
        auto image = bad[i].Load();
        ASSERT_TRUE(image) << i;
        EXPECT_FALSE(image->Realize()) << i;
        EXPECT_TRUE(image->IsEmpty()) << i;
    }
    CDibImage noHeader;
    EXPECT_FALSE(noHeader.Realize());
}

TEST(DibImage, LastRowMayLackItsPadding) {
    TestDib dib = Dib(1, 2, 24);
    dib.pixels.resize(4 + 3);
    EXPECT_TRUE(dib.Load()->Realize());
}

TEST(DibImage, AdoptsAPackedDibInOneBlock) {
    TestDib dib = Dib(2, 1, 8);
    dib.info.biClrUsed = 16;
    dib.table = FixedPalette(16);
    dib.pixels = {15, 9, 0, 0};
    std::vector<uint8_t> block = dib.HeaderBytes();
    block.insert(block.end(), dib.pixels.begin(), dib.pixels.end());
    CDibImage image;
    ASSERT_TRUE(image.AdoptDib(block.data(), block.size(), nullptr, 0));
    EXPECT_EQ(image.HeaderSize(), 40u + 64);
    EXPECT_EQ(image.Palette().size(), 16u);
    EXPECT_EQ(image.PixelColor(0, 0), 0xFFFFFFu);
    EXPECT_EQ(image.PixelColor(1, 0), 0xFF0000u);
}

TEST(DibImage, AdoptsAnOs2Header) {
    const uint8_t block[] = {12, 0, 0,    0,    2, 0, 1, 0, 1, 0, 24, 0, // 2 × 1, 24 bits
                             0,  0, 0xFF, 0xFF, 0, 0, 0, 0};             // red, blue
    CDibImage image;
    ASSERT_TRUE(image.AdoptDib(block, 12, block + 12, 8));
    EXPECT_EQ(image.PixelColor(0, 0), 0xFF0000u);
    EXPECT_EQ(image.PixelColor(1, 0), 0x0000FFu);
}

TEST(DibImage, ExtractsTrueColorFromAPaletteImage) {
    TestDib dib = Dib(2, 2, 8);
    dib.info.biClrUsed = 2;
    dib.table = {Rgb(1, 2, 3), Rgb(4, 5, 6)};
    dib.pixels = {0, 1, 0, 0, 1, 0, 0, 0};
    auto image = dib.Load();
    ASSERT_TRUE(image->Realize());
    image->FreeDib();
    const std::optional<PackedDib> packed = ExtractDib(*image, 0);
    ASSERT_TRUE(packed);
    EXPECT_EQ(packed->HeaderBlock().size(), 40u);
    EXPECT_EQ(packed->Header().biBitCount, 24);
    EXPECT_EQ(packed->Header().biClrUsed, 0u);
    EXPECT_EQ(packed->Header().biSizeImage, 16u);
    EXPECT_TRUE(packed->ColorTable().empty());
    const uint8_t bottom[] = {3, 2, 1, 6, 5, 4}, top[] = {6, 5, 4, 3, 2, 1};
    EXPECT_EQ(std::memcmp(packed->Pixels().data(), bottom, 6), 0);
    EXPECT_EQ(std::memcmp(packed->Pixels().data() + 8, top, 6), 0);
}

TEST(DibImage, ExtractKeepsIndicesAtTheImagesOwnDepth) {
    TestDib dib = Dib(3, 1, 8);
    dib.table = FixedPalette(256);
    dib.table[7] = dib.table[200]; // a duplicate colour keeps its own index
    dib.pixels = {200, 7, 255, 0};
    auto image = dib.Load();
    ASSERT_TRUE(image->Realize());
    const std::optional<PackedDib> packed = ExtractDib(*image);
    ASSERT_TRUE(packed);
    EXPECT_EQ(packed->HeaderBlock().size(), 40u + 1024);
    EXPECT_EQ(packed->Header().biClrUsed, 256u);
    EXPECT_EQ(packed->ColorTable().size(), 256u);
    const uint8_t expected[] = {200, 7, 255};
    EXPECT_EQ(std::memcmp(packed->Pixels().data(), expected, 3), 0);
}

TEST(DibImage, ExtractMapsToTheNearestColorAtAnotherDepth) {
    TestDib dib = Dib(3, 1, 24);
    dib.pixels = {0, 0, 250, 10, 10, 10, 200, 200, 200, 0, 0, 0}; // near red, near black, silver
    auto image = dib.Load();
    ASSERT_TRUE(image->Realize());
    std::optional<PackedDib> packed = ExtractDib(*image, 16); // no palette: the fixed 16 colours
    ASSERT_TRUE(packed);
    EXPECT_EQ(packed->Header().biBitCount, 4);
    EXPECT_EQ(packed->Pixels()[0], 0x90); // red (9), black (0)
    EXPECT_EQ(packed->Pixels()[1], 0x80); // silver (8)
    packed = ExtractDib(*image, 2);
    ASSERT_TRUE(packed);
    EXPECT_EQ(packed->Pixels()[0], 0x20); // 0, 0, 1 in the top bits

    const RgbQuad grays[] = {Rgb(0, 0, 0), Rgb(128, 128, 128), Rgb(255, 255, 255)};
    image->SetPalette(grays, 3);
    packed = ExtractDib(*image, 256);
    ASSERT_TRUE(packed);
    EXPECT_EQ(packed->ColorTable()[1].rgbRed, 128);
    EXPECT_EQ(packed->ColorTable()[3].rgbRed, 0); // entries beyond the palette are black
    const uint8_t expected[] = {1, 0, 2};
    EXPECT_EQ(std::memcmp(packed->Pixels().data(), expected, 3), 0);
}

TEST(DibImage, ExtractRefusesOtherColorTypes) {
    CDibImage image;
    EXPECT_FALSE(ExtractDib(image, 0)); // empty
    ASSERT_TRUE(image.CreateBlank(4, 4, 0));
    EXPECT_FALSE(ExtractDib(image, 8));
    EXPECT_FALSE(ExtractDib(image, 24));
    EXPECT_TRUE(ExtractDib(image, 0));
}

// The packed form is a value of its own: made from a const picture, which it leaves as it was,
// and handing its pixel block on without a copy.
TEST(DibImage, ExtractionLeavesThePictureAndOwnsItsBytes) {
    CDibImage image;
    ASSERT_TRUE(image.CreateBlank(3, 2, 16));
    image.Fill(0xFF0000);
    const CDibImage& picture = image;
    const uint64_t revision = picture.Revision();
    std::optional<PackedDib> packed = ExtractDib(picture);
    ASSERT_TRUE(packed);
    EXPECT_EQ(picture.Revision(), revision);
    EXPECT_EQ(picture.PixelColor(2, 1), 0xFF0000u);
    EXPECT_EQ(packed->Header().biBitCount, 4);
    EXPECT_EQ(packed->Pixels().size(), 8u);
    EXPECT_EQ(packed->Pixels()[0], 0x99); // red is entry 9 of the fixed 16 colours

    PackedDib moved = std::move(*packed);
    const uint8_t* block = moved.Pixels().data();
    const PackedBytes pixels = std::move(moved).TakePixels();
    EXPECT_EQ(pixels.data(), block);
    EXPECT_EQ(pixels.size(), 8u);
}

TEST(DibImage, BlankImagesAndFill) {
    CDibImage image;
    EXPECT_FALSE(image.CreateBlank(0, 4, 16));
    EXPECT_FALSE(image.CreateBlank(4, 4, 3));
    ASSERT_TRUE(image.CreateBlank(640, 480, 16));
    EXPECT_EQ(image.ColorType(), 16);
    EXPECT_EQ(image.Palette().size(), 16u);
    image.Fill(0xFFFFFF);
    EXPECT_EQ(image.Indices()[640 * 480 - 1], 15);
    EXPECT_EQ(image.PixelColor(639, 479), 0xFFFFFFu);
    image.Release();
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_EQ(image.PixelColor(0, 0), 0u);
}

namespace {

bool AllOpaque(std::span<const uint32_t> words) {
    return std::all_of(words.begin(), words.end(),
                       [](uint32_t word) { return word >> 24 == 0xFF; });
}

} // namespace

TEST(DibImage, TrueColorWordsAreOpaqueWhateverTheSource) {
    TestDib rgb555 = Dib(3, 2, 16);
    rgb555.pixels.assign(rgb555.pixels.size(), 0xFF); // the unused top bit set
    TestDib xrgb = Dib(3, 2, 32);                     // X bytes 0 in the file
    for (const TestDib* dib : {&rgb555, &xrgb}) {
        auto image = dib->Load();
        ASSERT_TRUE(image->Realize());
        EXPECT_EQ(image->TrueColorPixels().size(), 6u);
        EXPECT_EQ(image->BytesPerLine(), 12u);
        EXPECT_TRUE(AllOpaque(image->TrueColorPixels())) << dib->info.biBitCount;
    }
    CDibImage blank;
    ASSERT_TRUE(blank.CreateBlank(5, 1, 0));
    EXPECT_TRUE(AllOpaque(blank.TrueColorPixels()));
    blank.Fill(0x123456);
    EXPECT_EQ(blank.TrueColorPixels()[4], 0xFF123456u);
    EXPECT_EQ(blank.BytesPerLine(), 20u);
}

TEST(DibImage, PaletteImagesDrawThroughAPaddedTable) {
    for (int bitCount : {1, 4, 8}) {
        TestDib dib = Dib(3, 1, bitCount);
        dib.info.biClrUsed = 2;
        dib.table = {Rgb(10, 20, 30), Rgb(200, 100, 50)};
        auto image = dib.Load();
        ASSERT_TRUE(image->Realize());
        EXPECT_EQ(image->IndexPixels().size(), 3u);
        EXPECT_EQ(image->BytesPerLine(), 3u) << bitCount; // rows are not padded
        EXPECT_EQ(image->Palette().size(), 2u);
        const std::span<const uint32_t, 256> table = image->DrawableColorTable();
        EXPECT_TRUE(AllOpaque(table));
        EXPECT_EQ(table[1], 0xFFC86432u);
        EXPECT_EQ(table[2], 0xFF000000u);
        EXPECT_EQ(table[255], 0xFF000000u);
        // Extraction at the own depth still declares only the own entries.
        const std::optional<PackedDib> packed = ExtractDib(*image);
        ASSERT_TRUE(packed);
        EXPECT_EQ(packed->HeaderBlock().size(), 40u + 4 * (bitCount == 1 ? 2 : 1u << bitCount));
        EXPECT_EQ(packed->ColorTable()[1].rgbRed, 200);
        if (bitCount > 1) {
            EXPECT_EQ(packed->ColorTable()[2].rgbRed, 0);
        }
    }
    CDibImage image;
    EXPECT_EQ(image.BytesPerLine(), 0u);
    EXPECT_EQ(image.DrawableColorTable()[0], 0xFF000000u);
    ASSERT_TRUE(image.CreateBlank(4, 2, 16));
    EXPECT_EQ(image.Palette().size(), 16u);
    EXPECT_EQ(image.DrawableColorTable()[15], 0xFFFFFFFFu);
    EXPECT_EQ(image.DrawableColorTable()[16], 0xFF000000u);
    image.Release();
    EXPECT_EQ(image.DrawableColorTable()[15], 0xFF000000u);
}

TEST(DibImage, RevisionGrowsWithEveryChangeOfTheDeviceForm) {
    CDibImage image;
    uint64_t seen = image.Revision();
    auto changed = [&] {
        bool grew = image.Revision() > seen;
        seen = image.Revision();
        return grew;
    };
    ASSERT_TRUE(image.CreateBlank(2, 2, 0));
    EXPECT_TRUE(changed());
    image.Fill(0xFF0000);
    EXPECT_TRUE(changed());
    image.Bits()[0] = 0xFF00FF00u;
    EXPECT_TRUE(changed());
    image.MarkPixelsChanged();
    EXPECT_TRUE(changed());
    const RgbQuad entry = Rgb(1, 2, 3);
    image.SetPalette(&entry, 1);
    EXPECT_TRUE(changed());
    // Reading and extracting leave it.
    EXPECT_EQ(image.PixelColor(0, 0), 0x00FF00u);
    const std::optional<PackedDib> packed = ExtractDib(image);
    ASSERT_TRUE(packed);
    EXPECT_FALSE(changed());
    ASSERT_TRUE(image.AdoptDib(packed->HeaderBlock().data(), packed->HeaderBlock().size(),
                               packed->Pixels().data(), packed->Pixels().size()));
    EXPECT_TRUE(changed());
    image.Release();
    EXPECT_TRUE(changed());
}

// The viewer and the command line share one memory limit: no picture buffer above it is made.
TEST(DibImage, NoBufferAboveTheMemoryLimit) {
    const uint64_t previous = MemoryLimit();
    SetMemoryLimit(uint64_t{1} << 20);
    CDibImage image;
    EXPECT_FALSE(image.CreateBlank(1024, 1024, 0)); // 4 MiB in device form
    EXPECT_TRUE(image.CreateBlank(256, 256, 0));
    EXPECT_FALSE(image.AllocateDib(sizeof(BitmapInfoHeader), size_t{2} << 20));
    SetMemoryLimit(previous);
    EXPECT_TRUE(image.AllocateDib(sizeof(BitmapInfoHeader), size_t{2} << 20));
    EXPECT_EQ(PictureBytes(uint64_t{1} << 40, uint64_t{1} << 40), UINT64_MAX);
}

// A zeroed block is zero whether it comes from the heap (where an earlier block's bytes may lie)
// or from the kernel (a picture-sized one, not filled twice).
TEST(DibImage, AllocatedPixelBlocksAreZeroWhateverTheirSize) {
    for (size_t bytes : {size_t{4096}, size_t{3} << 20}) {
        CDibImage image;
        ASSERT_TRUE(image.AllocateUnfilledDib(40, bytes));
        std::memset(image.Pixels(), 0xAB, bytes);
        image.FreeDib();
        ASSERT_TRUE(image.AllocateDib(40, bytes));
        const uint8_t* pixels = image.Pixels();
        EXPECT_TRUE(std::all_of(pixels, pixels + bytes, [](uint8_t b) { return b == 0; })) << bytes;
    }
}

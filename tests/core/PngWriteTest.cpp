#include "core/PngWrite.h"

#include "base/HeadlessPlatform.h"
#include "base/ReportError.h"
#include "core/FixedPalette.h"
#include "core/PngTestFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

struct Rgb {
    uint8_t red, green, blue;
};

// A 24-bit packed DIB of one row per vector, given top row first.
class PackedPicture {
public:
    explicit PackedPicture(const std::vector<std::vector<Rgb>>& rows)
        : width_(rows[0].size()), height_(rows.size()), stride_(DibStride(width_, 24)),
          bytes_(stride_ * height_, 0xEE) {
        for (size_t y = 0; y < height_; ++y) {
            uint8_t* row = bytes_.data() + (height_ - 1 - y) * stride_;
            for (size_t x = 0; x < width_; ++x) {
                row[3 * x] = rows[y][x].blue;
                row[3 * x + 1] = rows[y][x].green;
                row[3 * x + 2] = rows[y][x].red;
            }
        }
    }
    PackedRgbRows Rows() { return {bytes_.data(), width_, height_, stride_}; }

private:
    size_t width_, height_, stride_;
    std::vector<uint8_t> bytes_;
};

const std::vector<std::vector<Rgb>> kPicture = {
    {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}},
    {{0, 0, 0}, {255, 255, 255}, {128, 128, 128}},
};

struct Saved {
    bool ok = false;
    PngSaveResult result;
    ReadBackPng file;
};

Saved Save(PngSaveRequest& request, const PngSaveOptions& options = {},
           const std::vector<std::vector<Rgb>>& picture = kPicture) {
    TempDir dir;
    PackedPicture packed(picture);
    Saved saved;
    saved.ok = WritePngFile(dir.File("out.png"), packed.Rows(), request, options, saved.result);
    if (saved.ok) saved.file = ReadBackTestPng(dir.File("out.png"));
    return saved;
}

PngSaveRequest Mode(int saveMode) {
    PngSaveRequest request;
    request.saveMode = saveMode;
    return request;
}

// Palette entries as 0x00RRGGBB.
std::vector<uint32_t> Colors(const std::vector<RgbQuad>& palette) {
    std::vector<uint32_t> colors;
    for (const RgbQuad& entry : palette)
        colors.push_back(uint32_t{entry.rgbRed} << 16 | entry.rgbGreen << 8 | entry.rgbBlue);
    return colors;
}

std::vector<uint8_t> Row(std::initializer_list<int> values) {
    return {values.begin(), values.end()};
}

} // namespace

TEST(PngWrite, RgbModeWritesTheColoursTopRowFirst) {
    PngSaveRequest request = Mode(kPngSaveRgb24);
    request.transparent = true;
    request.transparentColor = RgbQuad{3, 2, 1, 0};
    Saved saved = Save(request);
    ASSERT_TRUE(saved.ok);
    EXPECT_EQ(saved.file.colorType, PNG_COLOR_TYPE_RGB);
    EXPECT_EQ(saved.file.bitDepth, 8);
    EXPECT_TRUE(saved.file.palette.empty());
    EXPECT_EQ(saved.file.rows[0], Row({255, 0, 0, 0, 255, 0, 0, 0, 255}));
    EXPECT_EQ(saved.file.rows[1], Row({0, 0, 0, 255, 255, 255, 128, 128, 128}));
    ASSERT_TRUE(saved.file.transparentColor);
    EXPECT_EQ(saved.file.transparentColor->red, 1);
    EXPECT_EQ(saved.file.transparentColor->blue, 3);
    EXPECT_FALSE(saved.file.gamma);
    EXPECT_EQ(saved.result.description, "3x2 PNG(RGB 8bit) +T");
    EXPECT_EQ(saved.result.bitsPerPixel, 24);
    EXPECT_FALSE(saved.result.grayscale);
    EXPECT_GT(saved.result.fileSize, 50u);
}

TEST(PngWrite, IndexedModesMatchColoursToThePalette) {
    PngSaveRequest request = Mode(kPngSaveIndexed8);
    request.transparent = true;
    request.transparentColor = RgbQuad{255, 255, 255, 0};
    Saved saved = Save(request);
    ASSERT_TRUE(saved.ok);
    EXPECT_EQ(saved.file.colorType, PNG_COLOR_TYPE_PALETTE);
    EXPECT_EQ(saved.file.bitDepth, 8);
    ASSERT_EQ(saved.file.palette.size(), 256u); // the 8 × 8 × 4 cube
    // Index g × 32 + r × 4 + b: red is r = 7, green g = 7, blue b = 3.
    EXPECT_EQ(saved.file.rows[0], Row({28, 224, 3}));
    EXPECT_EQ(saved.file.rows[1], Row({0, 255, 32 * 3 + 4 * 3 + 1}));
    std::vector<uint8_t> alpha(256, 255);
    alpha[255] = 0;
    EXPECT_EQ(saved.file.alpha, alpha);
    EXPECT_EQ(Colors(request.palette), Colors(FixedPalette(256)));
    EXPECT_EQ(saved.result.description, "3x2 PNG(Idx 8bit) +T");

    // A document's own 8-bit palette serves mode 1 as it is, short tRNS included.
    request = Mode(kPngSaveIndexed8);
    request.palette = {RgbQuad{0, 0, 0, 0}, RgbQuad{0, 0, 255, 0}, RgbQuad{255, 255, 255, 0}};
    request.bitsPerPixel = 8;
    request.transparent = true;
    request.transparentColor = RgbQuad{0, 0, 250, 0};
    saved = Save(request);
    ASSERT_TRUE(saved.ok);
    EXPECT_EQ(saved.file.palette.size(), 3u);
    EXPECT_EQ(saved.file.rows[0][0], 1);
    EXPECT_EQ(saved.file.alpha, Row({255, 0}));
}

TEST(PngWrite, FourBitIndexedModeReplacesAPaletteOfAnotherDepth) {
    PngSaveRequest request = Mode(kPngSaveIndexed4);
    request.palette = FixedPalette(256);
    request.bitsPerPixel = 8;
    Saved saved = Save(request);
    ASSERT_TRUE(saved.ok);
    EXPECT_EQ(saved.file.colorType, PNG_COLOR_TYPE_PALETTE);
    EXPECT_EQ(saved.file.bitDepth, 4);
    EXPECT_EQ(Colors(request.palette), Colors(FixedPalette(16)));
    EXPECT_EQ(saved.file.palette.size(), 16u);
    EXPECT_EQ(saved.file.rows[0], Row({9, 10, 12}));
    EXPECT_EQ(saved.file.rows[1], Row({0, 15, 7}));
    EXPECT_EQ(saved.result.description, "3x2 PNG(Idx 4bit)");

    // A 4-bit gray document carries 256 grays: too many for 4 bits, so they give way too.
    request = Mode(kPngSaveIndexed4);
    request.palette.assign(256, RgbQuad{});
    request.bitsPerPixel = 4;
    ASSERT_TRUE(Save(request).ok);
    EXPECT_EQ(request.palette.size(), 16u);
}

TEST(PngWrite, GrayModesWriteLuma) {
    PngSaveRequest request = Mode(kPngSaveGray8);
    Saved saved = Save(request);
    ASSERT_TRUE(saved.ok);
    EXPECT_EQ(saved.file.colorType, PNG_COLOR_TYPE_GRAY);
    EXPECT_EQ(saved.file.bitDepth, 8);
    // (19 × blue + 183 × green + 54 × red) >> 8
    EXPECT_EQ(saved.file.rows[0], Row({53, 182, 18}));
    EXPECT_EQ(saved.file.rows[1], Row({0, 255, 128}));
    EXPECT_TRUE(saved.result.grayscale);
    EXPECT_EQ(saved.result.description, "3x2 PNG(Gray 8bit)");

    request = Mode(kPngSaveGray4);
    request.transparent = true;
    request.transparentColor = RgbQuad{255, 255, 255, 0};
    saved = Save(request);
    ASSERT_TRUE(saved.ok);
    EXPECT_EQ(saved.file.bitDepth, 4);
    EXPECT_EQ(saved.file.rows[0], Row({3, 11, 1}));
    EXPECT_EQ(saved.file.rows[1], Row({0, 15, 8}));
    ASSERT_TRUE(saved.file.transparentColor);
    EXPECT_EQ(saved.file.transparentColor->gray, 15);
    EXPECT_EQ(saved.result.bitsPerPixel, 4);
}

TEST(PngWrite, GammaTextsAndInterlace) {
    PngSaveRequest request = Mode(kPngSaveRgb24);
    request.writeGamma = true;
    request.gamma = 1.0;
    request.texts = {{"Title", "t", false}, {"Comment", "c", false}};
    PngSaveOptions options;
    options.useInterlaceOnSave = true;
    Saved saved = Save(request, options);
    ASSERT_TRUE(saved.ok);
    EXPECT_EQ(saved.file.interlace, PNG_INTERLACE_ADAM7);
    ASSERT_TRUE(saved.file.gamma);
    EXPECT_NEAR(*saved.file.gamma, 1.0, 1e-5);
    ASSERT_EQ(saved.file.texts.size(), 2u);
    EXPECT_EQ(saved.file.texts[0].key, "Title");
    EXPECT_EQ(saved.file.texts[1].key, "Comment");
    EXPECT_EQ(saved.file.texts[1].compression, PNG_TEXT_COMPRESSION_NONE);
    EXPECT_EQ(saved.result.description, "3x2 Int.PNG(RGB 8bit) +G");
    EXPECT_EQ(saved.file.rows[1], Row({0, 0, 0, 255, 255, 255, 128, 128, 128}));

    options = PngSaveOptions{};
    options.useDefaultGammaOnSave = true;
    options.defaultGamma = 0.5;
    options.usePngITxt = true;
    saved = Save(request, options);
    ASSERT_TRUE(saved.ok);
    EXPECT_NEAR(*saved.file.gamma, 0.5, 1e-5);
    EXPECT_EQ(saved.file.texts[0].compression, PNG_ITXT_COMPRESSION_NONE);
    EXPECT_EQ(saved.file.texts[0].language, "ja-jp");

    // A gamma that PNG cannot carry (typed as text that is no number) is left out.
    request.gamma = 0;
    saved = Save(request);
    ASSERT_TRUE(saved.ok);
    EXPECT_FALSE(saved.file.gamma);
    EXPECT_EQ(saved.result.description, "3x2 PNG(RGB 8bit)");
}

TEST(PngWrite, FailuresAreReportedAndLeaveNoFile) {
    TempDir dir;
    PackedPicture picture(kPicture);
    PngSaveRequest request = Mode(kPngSaveRgb24);
    PngSaveResult result;
    Headless().ClearMessages();
    const std::string unreachable = dir.File("no/such/dir.png");
    EXPECT_FALSE(WritePngFile(unreachable, picture.Rows(), request, {}, result));
    EXPECT_EQ(Headless().Messages().back().text,
              FormatErrorReport("SavePngFile", unreachable, "Cannot open"));

    // libpng refuses a text chunk without a keyword.
    request.texts = {{"", "text", false}};
    const std::string path = dir.File("bad.png");
    EXPECT_FALSE(WritePngFile(path, picture.Rows(), request, {}, result));
    EXPECT_EQ(Headless().Messages().back().text,
              FormatErrorReport("SavePngFile", path, "Error handler (tEXt: invalid keyword)"));
    EXPECT_FALSE(std::filesystem::exists(path));

    const std::string full = "/dev/full";
    if (std::filesystem::is_character_file(full)) {
        request.texts.clear();
        EXPECT_FALSE(WritePngFile(full, picture.Rows(), request, {}, result));
        EXPECT_EQ(Headless().Messages().back().text,
                  FormatErrorReport("SavePngFile", full, "No space left on device"));
        EXPECT_TRUE(std::filesystem::is_character_file(full));
    }
}

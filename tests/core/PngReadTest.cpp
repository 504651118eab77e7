#include "core/PngRead.h"

#include "base/HeadlessPlatform.h"
#include "base/ReportError.h"
#include "core/PngTestFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <zlib.h>

namespace {

PngLoadOptions PlainOptions() {
    PngLoadOptions options;
    options.useGammaCorrection = false;
    options.useTransparentOnLoad = false;
    return options;
}

struct Decoded {
    bool ok = false;
    CDibImage image;
    PngFileFacts facts;
};

std::unique_ptr<Decoded> Decode(const std::string& path,
                                const PngLoadOptions& options = PlainOptions()) {
    auto decoded = std::make_unique<Decoded>();
    decoded->ok = ReadPngFile(path, options, decoded->image, decoded->facts);
    return decoded;
}

// Row y (from the top) of the packed DIB as red, green, blue bytes.
std::vector<uint8_t> RgbRow(CDibImage& image, size_t y) {
    const BitmapInfoHeader& header = *image.Header();
    const size_t width = static_cast<size_t>(header.biWidth);
    const size_t height = static_cast<size_t>(header.biHeight);
    const uint8_t* row = image.Pixels() + (height - 1 - y) * DibStride(width, header.biBitCount);
    std::vector<uint8_t> rgb(width * 3);
    for (size_t x = 0; x < width; ++x) {
        RgbQuad color = header.biBitCount == 24
                            ? RgbQuad{row[3 * x], row[3 * x + 1], row[3 * x + 2], 0}
                            : image.ColorTable()[row[x]];
        rgb[3 * x] = color.rgbRed;
        rgb[3 * x + 1] = color.rgbGreen;
        rgb[3 * x + 2] = color.rgbBlue;
    }
    return rgb;
}

// PngSuite and libpng's test images.
std::string CorpusPath(const std::string& relative) {
    return std::string(TEST_DATA_DIR) + "/png/" + relative;
}

std::string LastMessage() {
    auto& messages = Headless().Messages();
    return messages.empty() ? std::string() : messages.back().text;
}

// Compares the whole picture with libpng's own expansion to 8-bit RGB.
void ExpectSameAsLibpng(const std::string& path, Decoded& decoded, double screenGamma = 0,
                        double fileGamma = 0) {
    ReadBackPng reference = ReadBackTestPng(path, true, screenGamma, fileGamma);
    ASSERT_TRUE(reference.ok) << path;
    const BitmapInfoHeader& header = *decoded.image.Header();
    ASSERT_EQ(header.biWidth, static_cast<int32_t>(reference.width)) << path;
    ASSERT_EQ(header.biHeight, static_cast<int32_t>(reference.height)) << path;
    if (header.biBitCount == 8) {
        ASSERT_EQ(decoded.image.HeaderSize(), 40 + 4 * decoded.facts.palette.size()) << path;
    }
    for (size_t y = 0; y < reference.height; ++y) {
        std::vector<uint8_t> row = RgbRow(decoded.image, y);
        if (row != reference.rows[y]) {
            ADD_FAILURE() << path << " differs in row " << y;
            return;
        }
    }
}

void CheckCorpusFile(const std::filesystem::path& file) {
    const std::string path = file.string();
    const std::string name = file.filename().string();
    const std::string folder = file.parent_path().filename().string();
    const bool brokenOnPurpose = folder == "crashers" || folder == "badpal";
    const bool mustFail = (name[0] == 'x' && path.find("/png/pngsuite/") != std::string::npos) ||
                          path.find("/crashers/png/") != std::string::npos;
    Headless().ClearMessages();
    std::unique_ptr<Decoded> decoded = Decode(path);
    if (mustFail) {
        EXPECT_FALSE(decoded->ok) << path;
        EXPECT_TRUE(LastMessage().starts_with("LoadPngFile:Error handler (") &&
                    LastMessage().ends_with(")\n" + path))
            << LastMessage();
    } else if (brokenOnPurpose && !decoded->ok) {
        EXPECT_EQ(LastMessage().rfind("LoadPngFile:", 0), 0u) << path;
    } else {
        ASSERT_TRUE(decoded->ok) << path << ": " << LastMessage();
        if (!brokenOnPurpose) ExpectSameAsLibpng(path, *decoded);
    }
    // Composing and gamma correction neither crash nor change which files open.
    PngLoadOptions everything;
    everything.useTransparentOnLoad = true;
    everything.useDefaultGammaOnLoad = name[0] == 'b';
    everything.screenGamma = 1.8;
    EXPECT_EQ(Decode(path, everything)->ok, decoded->ok) << path;
}

} // namespace

TEST(PngRead, EveryCorpusFileOpensLikeLibpngOrFailsCleanly) {
    int files = 0;
    for (const std::string& folder : {CorpusPath("pngsuite"), CorpusPath("libpng"),
                                      std::string(TEST_DATA_DIR) + "/crashers/png"}) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
            if (!entry.is_regular_file() || entry.path().extension() != ".png") continue;
            CheckCorpusFile(entry.path());
            ++files;
        }
    }
    EXPECT_GT(files, 300);
}

TEST(PngRead, GammaCorrectedPalettesMatchLibpng) {
    const std::pair<const char*, double> files[] = {{"g03n3p04.png", 0.35},
                                                    {"g05n3p04.png", 0.55},
                                                    {"g10n3p04.png", 1.0},
                                                    {"g25n3p04.png", 2.5}};
    PngLoadOptions options = PlainOptions();
    options.useGammaCorrection = true;
    for (const auto& [file, gamma] : files) {
        const std::string path = CorpusPath(std::string("pngsuite/") + file);
        std::unique_ptr<Decoded> decoded = Decode(path, options);
        ASSERT_TRUE(decoded->ok) << file;
        EXPECT_EQ(decoded->image.Header()->biBitCount, 8) << file;
        ExpectSameAsLibpng(path, *decoded, 2.2, gamma);
    }
}

TEST(PngRead, DescriptionsNameLayoutTransparencyAndGamma) {
    const std::pair<const char*, const char*> cases[] = {
        {"pngsuite/basn2c16.png", "32x32 PNG(RGB 16bit) +G"},
        {"pngsuite/basi3p04.png", "32x32 Int.PNG(Idx 4bit) +G"},
        {"pngsuite/tbbn3p08.png", "32x32 PNG(Idx 8bit) +T +G"},
        {"pngsuite/basn0g01.png", "32x32 PNG(Gray 1bit) +G"},
        {"pngsuite/basn4a16.png", "32x32 PNG(@Gray 16bit) +G"},
        {"pngsuite/basn6a08.png", "32x32 PNG(@RGB 8bit) +G"},
        {"libpng/testpngs/rgb-8.png", "256x256 PNG(RGB 8bit)"},
    };
    for (const auto& [file, description] : cases) {
        std::unique_ptr<Decoded> decoded = Decode(CorpusPath(file));
        ASSERT_TRUE(decoded->ok) << file;
        EXPECT_EQ(decoded->facts.description, description) << file;
    }
}

namespace {

std::unique_ptr<Decoded> DecodeMade(const TestPng& png, const PngLoadOptions& options) {
    TempDir dir;
    const std::string path = dir.File("made.png");
    EXPECT_TRUE(WriteTestPng(path, png));
    return Decode(path, options);
}

PngLoadOptions WithTransparency(bool on) {
    PngLoadOptions options = PlainOptions();
    options.useTransparentOnLoad = on;
    return options;
}

PngLoadOptions WithGamma(double screenGamma = 2.2) {
    PngLoadOptions options = PlainOptions();
    options.useGammaCorrection = true;
    options.screenGamma = screenGamma;
    return options;
}

TestPng GrayRamp2Bit() {
    TestPng png;
    png.width = 4;
    png.colorType = PNG_COLOR_TYPE_GRAY;
    png.bitDepth = 2;
    png.samples = {0, 1, 2, 3};
    png_color_16 transparent{};
    transparent.gray = 1;
    png.transparentColor = transparent;
    return png;
}

TestPng Rgb8(uint8_t level, uint32_t width = 1, uint32_t height = 1) {
    TestPng png;
    png.width = width;
    png.height = height;
    png.samples.assign(static_cast<size_t>(width) * height * 3, level);
    return png;
}

TestPng Palette4Bit() {
    TestPng png;
    png.width = 3;
    png.colorType = PNG_COLOR_TYPE_PALETTE;
    png.bitDepth = 4;
    png.palette = {{10, 20, 30}, {128, 128, 128}, {200, 0, 0}};
    png.samples = {0, 1, 2};
    return png;
}

} // namespace

TEST(PngRead, LowBitGrayIsIndexedWithItsTransparentColour) {
    std::unique_ptr<Decoded> decoded = DecodeMade(GrayRamp2Bit(), WithTransparency(false));
    ASSERT_TRUE(decoded->ok);
    EXPECT_EQ(decoded->image.Header()->biBitCount, 8);
    EXPECT_EQ(decoded->image.Header()->biClrUsed, 0u);
    EXPECT_EQ(RgbRow(decoded->image, 0),
              (std::vector<uint8_t>{0, 0, 0, 85, 85, 85, 170, 170, 170, 255, 255, 255}));
    EXPECT_TRUE(decoded->facts.transparent);
    const RgbQuad& color = decoded->facts.transparentColor;
    EXPECT_EQ(std::vector<int>({color.rgbRed, color.rgbGreen, color.rgbBlue}),
              (std::vector<int>{85, 85, 85}));
    EXPECT_TRUE(decoded->facts.grayscale);
    EXPECT_EQ(decoded->facts.bitsPerPixel, 2);
    EXPECT_EQ(decoded->facts.description, "4x1 PNG(Gray 2bit) +T");

    // Composed, the transparent gray 85 shows the checkerboard (white at the bottom-left).
    decoded = DecodeMade(GrayRamp2Bit(), WithTransparency(true));
    ASSERT_TRUE(decoded->ok);
    EXPECT_EQ(decoded->image.Header()->biBitCount, 24);
    EXPECT_EQ(RgbRow(decoded->image, 0),
              (std::vector<uint8_t>{0, 0, 0, 255, 255, 255, 170, 170, 170, 255, 255, 255}));
}

TEST(PngRead, AlphaIsDroppedOrComposedOverTheCheckerboard) {
    TestPng png;
    png.width = 8;
    png.height = 2;
    png.colorType = PNG_COLOR_TYPE_RGB_ALPHA;
    png.samples.assign(8 * 2 * 4, 0);
    for (size_t i = 0; i < 16; ++i)
        png.samples[i * 4] = 100;       // red 100, fully transparent
    png.samples[(8 + 1) * 4 + 3] = 128; // bottom row, column 1: half
    png.samples[(8 + 2) * 4 + 3] = 255; // bottom row, column 2: opaque

    std::unique_ptr<Decoded> decoded = DecodeMade(png, WithTransparency(false));
    ASSERT_TRUE(decoded->ok);
    EXPECT_EQ(decoded->image.Header()->biBitCount, 24);
    EXPECT_EQ(RgbRow(decoded->image, 1)[0], 100);
    EXPECT_FALSE(decoded->facts.transparent);

    decoded = DecodeMade(png, WithTransparency(true));
    ASSERT_TRUE(decoded->ok);
    std::vector<uint8_t> bottom = RgbRow(decoded->image, 1);
    EXPECT_EQ(
        std::vector<uint8_t>(bottom.begin(), bottom.begin() + 9),
        (std::vector<uint8_t>{255, 255, 255, (255 * 127 + 100 * 128) / 255, 127, 127, 100, 0, 0}));
    EXPECT_EQ(std::vector<uint8_t>(bottom.begin() + 12, bottom.begin() + 15),
              (std::vector<uint8_t>{192, 192, 192}));
    EXPECT_EQ(decoded->facts.description, "8x2 PNG(@RGB 8bit)");
}

TEST(PngRead, PaletteFileKeepsItsPaletteUnlessComposed) {
    TestPng png = Palette4Bit();
    png.alpha = {255, 0};
    std::unique_ptr<Decoded> decoded = DecodeMade(png, WithTransparency(false));
    ASSERT_TRUE(decoded->ok);
    EXPECT_EQ(decoded->image.Header()->biBitCount, 8);
    EXPECT_EQ(decoded->image.Header()->biClrUsed, 3u);
    EXPECT_EQ(decoded->image.HeaderSize(), 40u + 3 * 4);
    EXPECT_EQ(decoded->image.Pixels()[2], 2);
    ASSERT_EQ(decoded->facts.palette.size(), 3u);
    EXPECT_EQ(decoded->facts.palette[2].rgbRed, 200);
    // The entry of the last tRNS value names the transparent colour.
    EXPECT_EQ(decoded->facts.transparentColor.rgbRed, 128);
    EXPECT_EQ(decoded->facts.description, "3x1 PNG(Idx 4bit) +T");

    decoded = DecodeMade(png, WithTransparency(true));
    ASSERT_TRUE(decoded->ok);
    EXPECT_EQ(decoded->image.Header()->biBitCount, 24);
    EXPECT_EQ(RgbRow(decoded->image, 0),
              (std::vector<uint8_t>{10, 20, 30, 255, 255, 255, 200, 0, 0}));
}

TEST(PngRead, GammaCorrectionFollowsGamaAndSparesSrgb) {
    const uint8_t brightened = 186; // 255 × (128 / 255)^(1 / 2.2), rounded
    TestPng linear = Rgb8(128);
    linear.gamma = 1.0;
    std::unique_ptr<Decoded> decoded = DecodeMade(linear, WithGamma());
    ASSERT_TRUE(decoded->ok);
    EXPECT_EQ(RgbRow(decoded->image, 0)[0], brightened);
    EXPECT_TRUE(decoded->facts.gammaPresent);
    EXPECT_DOUBLE_EQ(decoded->facts.gamma, 1.0);
    EXPECT_EQ(decoded->facts.description, "1x1 PNG(RGB 8bit) +G");

    PngLoadOptions forcedDefault = WithGamma();
    forcedDefault.useDefaultGammaOnLoad = true;
    EXPECT_EQ(RgbRow(DecodeMade(linear, forcedDefault)->image, 0)[0], 128);
    EXPECT_EQ(RgbRow(DecodeMade(linear, PlainOptions())->image, 0)[0], 128);

    // sRGB stands for gamma 0.45455, which a screen gamma of 1 would darken; it is left alone.
    TestPng srgb = Rgb8(128);
    srgb.srgbIntent = PNG_sRGB_INTENT_PERCEPTUAL;
    decoded = DecodeMade(srgb, WithGamma(1.0));
    ASSERT_TRUE(decoded->ok);
    EXPECT_EQ(RgbRow(decoded->image, 0)[0], 128);
    EXPECT_FALSE(decoded->facts.gammaPresent);
    TestPng plain = Rgb8(128);
    plain.gamma = 0.45455;
    EXPECT_EQ(RgbRow(DecodeMade(plain, WithGamma(1.0))->image, 0)[0], 56);

    // Without gAMA the default 0.45455 × 2.2 is too close to 1 for libpng to correct.
    EXPECT_EQ(RgbRow(DecodeMade(Rgb8(128), WithGamma())->image, 0)[0], 128);
    // A screen gamma libpng would refuse means no correction rather than a failed load.
    decoded = DecodeMade(linear, WithGamma(0));
    ASSERT_TRUE(decoded->ok);
    EXPECT_EQ(RgbRow(decoded->image, 0)[0], 128);

    // Palette entries and gray samples are corrected once each.
    TestPng palette = Palette4Bit();
    palette.gamma = 1.0;
    decoded = DecodeMade(palette, WithGamma());
    EXPECT_EQ(decoded->image.ColorTable()[1].rgbGreen, brightened);
    EXPECT_EQ(decoded->facts.palette[1].rgbGreen, 128);
    TestPng gray;
    gray.colorType = PNG_COLOR_TYPE_GRAY;
    gray.samples = {128};
    gray.gamma = 1.0;
    EXPECT_EQ(RgbRow(DecodeMade(gray, WithGamma())->image, 0)[0], brightened);
}

TEST(PngRead, TextChunksComeInFileOrder) {
    TestPng png = Rgb8(0);
    png.texts = {{"Title", "t1", PNG_TEXT_COMPRESSION_NONE, ""},
                 {"Comment", "long text", PNG_TEXT_COMPRESSION_zTXt, ""},
                 {"Author", "\xE5\xA4\xAA\xE9\x83\x8E", PNG_ITXT_COMPRESSION_NONE, "ja-jp"}};
    std::unique_ptr<Decoded> decoded = DecodeMade(png, PlainOptions());
    ASSERT_TRUE(decoded->ok);
    EXPECT_EQ(decoded->facts.texts,
              (std::vector<PngTextEntry>{{"Title", "t1", false},
                                         {"Comment", "long text", false},
                                         {"Author", "\xE5\xA4\xAA\xE9\x83\x8E", true}}));
}

TEST(PngRead, BrokenFilesFailWithTheirReport) {
    TempDir dir;
    Headless().ClearMessages();
    std::unique_ptr<Decoded> decoded = Decode(dir.File("missing.png"));
    EXPECT_FALSE(decoded->ok);
    EXPECT_EQ(LastMessage(),
              FormatErrorReport("LoadPngFile", dir.File("missing.png"), "Cannot open"));

    ASSERT_TRUE(WriteTestPng(dir.File("good.png"), Rgb8(7, 64, 64)));
    const std::string good = TempDir::Read(dir.File("good.png"));
    std::string badCrc = good;
    badCrc[16] ^= 1; // IHDR's width, its CRC left as it was
    // Each report carries the reason: libpng's own text, or the check that refused the file.
    const std::pair<std::string, std::string> cases[] = {
        {good.substr(0, good.size() / 2), "a chunk runs past the end of the file"}, // in IDAT
        {"\x89PNG\r\n\x1a\n", "Read Error"}, // signature only
        {good.substr(0, 33) + std::string("\x7f\xff\xff\xf0tEXt", 8) + "abc",
         "a chunk runs past the end of the file"},
        {badCrc, "IHDR: CRC error"},
    };
    for (const auto& [bytes, reason] : cases) {
        const std::string path = dir.Write("broken.png", bytes);
        decoded = Decode(path);
        EXPECT_FALSE(decoded->ok);
        EXPECT_EQ(LastMessage(),
                  FormatErrorReport("LoadPngFile", path, "Error handler (" + reason + ")"));
        EXPECT_EQ(decoded->image.PixelSize(), 0u);
        EXPECT_EQ(Headless().WaitDepth(), 0);
    }
}

TEST(PngRead, HeaderClaimingMoreThanTheFileCanHoldFailsBeforeAllocating) {
    TempDir dir;
    TestPng png = Rgb8(0, 1, 1);
    ASSERT_TRUE(WriteTestPng(dir.File("one.png"), png));
    std::string bytes = TempDir::Read(dir.File("one.png"));
    // IHDR width and height (bytes 16..23) become 60000 × 60000; the CRC is fixed up.
    const uint8_t size[8] = {0, 0, 0xEA, 0x60, 0, 0, 0xEA, 0x60};
    bytes.replace(16, 8, reinterpret_cast<const char*>(size), 8);
    uint32_t crc =
        static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(bytes.data()) + 12, 17));
    for (int i = 0; i < 4; ++i)
        bytes[29 + i] = static_cast<char>(crc >> (24 - 8 * i));
    const std::string path = dir.Write("huge.png", bytes);
    Headless().ClearMessages();
    std::unique_ptr<Decoded> decoded = Decode(path);
    EXPECT_FALSE(decoded->ok);
    EXPECT_EQ(LastMessage(),
              FormatErrorReport("LoadPngFile", path,
                                "Error handler (image data larger than the file can hold)"));
}

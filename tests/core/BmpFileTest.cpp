#include "core/BmpFile.h"
#include "core/DibExtract.h"
#include "settings/SettingsStore.h"

#include "base/HeadlessPlatform.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstring>
#include <filesystem>
#include <map>
#include <optional>
#include <vector>

namespace {

const std::string kSuite = std::string(TEST_DATA_DIR) + "/bmp/";

// A PNG decoded by libpng to 8-bit RGB, as 0x00RRGGBB per pixel, top row first.
struct RgbPicture {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
};

RgbPicture ReadPng(const std::string& path) {
    RgbPicture picture;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return picture;
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) return picture;
    picture.width = static_cast<int>(image.width);
    picture.height = static_cast<int>(image.height);
    for (size_t i = 0; i + 2 < rgb.size(); i += 3)
        picture.pixels.push_back(uint32_t{rgb[i]} << 16 | uint32_t{rgb[i + 1]} << 8 | rgb[i + 2]);
    return picture;
}

// Counts the pixels that differ from the reference rendering.
int CountDifferences(const CDibImage& image, const RgbPicture& reference) {
    if (image.Width() != reference.width || image.Height() != reference.height) return -1;
    int differences = 0;
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            differences +=
                image.PixelColor(x, y) != reference.pixels[size_t(y) * image.Width() + x];
    return differences;
}

// The reader options for the headless screen as it is set now.
ImageReadOptions ScreenOptions() {
    return ImageReadOptions::FromSettings(AppSettings(), Headless().ScreenDepth());
}

std::unique_ptr<CDibImage> Load(const std::string& path, std::string* description = nullptr) {
    std::string text;
    auto image = ReadBmpFile(path, ScreenOptions(), text);
    if (description) *description = text;
    return image;
}

bool SameColors(const CDibImage& a, const CDibImage& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.PixelColor(x, y) != b.PixelColor(x, y)) return false;
    return true;
}

std::string Save(CDibImage& image, const std::string& path, int colorType = -1) {
    std::string description;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    bool written = file && WriteBmpFile(image, file, path, colorType, description);
    if (file) std::fclose(file);
    return written ? description : "failed";
}

uint32_t U32At(const std::string& bytes, size_t offset) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<uint8_t>(bytes[offset + i]);
    return value;
}

class BmpFile : public ::testing::Test {
protected:
    void SetUp() override {
        Headless().SetScreenDepth(32);
        Headless().ClearMessages();
    }
    void TearDown() override { Headless().SetScreenDepth(32); }
};

} // namespace

TEST_F(BmpFile, GoodSuiteMatchesReferenceRenderings) {
    const std::map<std::string, std::string> references = {
        {"pal1", "pal1"},           {"pal1wb", "pal1"},
        {"pal1bg", "pal1bg"},       {"pal4", "pal4"},
        {"pal4gs", "pal4gs"},       {"pal4rle", "pal4"},
        {"pal8", "pal8"},           {"pal8-0", "pal8"},
        {"pal8gs", "pal8gs"},       {"pal8rle", "pal8"},
        {"pal8topdown", "pal8"},    {"pal8os2", "pal8"},
        {"pal8v4", "pal8"},         {"pal8v5", "pal8"},
        {"pal8w124", "pal8w124"},   {"pal8w125", "pal8w125"},
        {"pal8w126", "pal8w126"},   {"pal8nonsquare", "pal8nonsquare-e"},
        {"rgb16", "rgb16"},         {"rgb16bfdef", "rgb16"},
        {"rgb16-565", "rgb16-565"}, {"rgb16-565pal", "rgb16-565"},
        {"rgb24", "rgb24"},         {"rgb24pal", "rgb24"},
        {"rgb32", "rgb24"},         {"rgb32bf", "rgb24"},
        {"rgb32bfdef", "rgb24"}};
    size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(kSuite + "g")) {
        std::string name = entry.path().stem().string();
        ASSERT_TRUE(references.count(name)) << name;
        auto image = Load(entry.path().string());
        ASSERT_TRUE(image) << name;
        RgbPicture reference = ReadPng(kSuite + "ref/" + references.at(name) + ".png");
        EXPECT_EQ(CountDifferences(*image, reference), 0) << name;
        ++files;
    }
    EXPECT_EQ(files, references.size());
    EXPECT_TRUE(Headless().Messages().empty());
}

// Bad, questionable and hostile files either open or fail with the reader's own report.
TEST_F(BmpFile, OtherSuiteFilesOpenOrFailCleanly) {
    for (const char* folder : {"b", "q", "x"}) {
        for (const auto& entry : std::filesystem::directory_iterator(kSuite + folder)) {
            Headless().ClearMessages();
            auto image = Load(entry.path().string());
            if (image) {
                EXPECT_FALSE(image->IsEmpty());
                EXPECT_TRUE(Headless().Messages().empty()) << entry.path();
            } else {
                ASSERT_EQ(Headless().Messages().size(), 1u) << entry.path();
                EXPECT_EQ(Headless().Messages()[0].text.rfind("LoadBmpFile:", 0), 0u);
            }
        }
    }
}

TEST_F(BmpFile, SpecificBadFilesFail) {
    for (const char* name :
         {"b/badbitcount.bmp", "b/badplanes.bmp", "b/badwidth.bmp", "b/reallybig.bmp",
          "b/rletopdown.bmp", "b/shortfile.bmp", "x/ba-bm.bmp"}) {
        Headless().ClearMessages();
        EXPECT_FALSE(Load(kSuite + name)) << name;
        ASSERT_EQ(Headless().Messages().size(), 1u);
        EXPECT_NE(Headless().Messages()[0].text.find("ビットマップを生成できません"),
                  std::string::npos);
    }
}

TEST_F(BmpFile, DescribesEachKindOfHeader) {
    const std::map<std::string, std::string> expected = {
        {"g/rgb24.bmp", "127x64 Windows BMP(24bit)"},
        {"g/pal8rle.bmp", "127x64 Windows RLE(8bit)"},
        {"g/pal4rle.bmp", "127x64 Windows RLE(4bit)"},
        {"g/pal8os2.bmp", "127x64 OS/2 DIB(8bit)"},
        {"g/rgb16-565.bmp", "127x64 Bitfields BMP(16bit)"},
        {"g/rgb32bf.bmp", "127x64 Bitfields BMP(32bit)"},
        {"g/pal8topdown.bmp", "127x64 Windows BMP(8bit)"},
        {"g/pal8v5.bmp", "127x64 Windows BMP(8bit)"}};
    for (const auto& [name, text] : expected) {
        std::string description;
        auto image = Load(kSuite + name, &description);
        ASSERT_TRUE(image) << name;
        EXPECT_EQ(description, text);
    }
    BitmapInfoHeader unknown;
    unknown.biWidth = 640, unknown.biHeight = 480, unknown.biCompression = 5;
    EXPECT_EQ(DescribeBmpHeader(unknown), "640x480 Unknown BMP(5)");
}

TEST_F(BmpFile, Os2OneBitFileBecomesTwoColors) {
    // 12-byte OS/2 header, two 3-byte colours, one 1-bit row of 3 pixels (1, 0, 1).
    const uint8_t file[] = {'B', 'M', 36, 0, 0, 0, 0, 0, 0, 0, 32, 0,    0,    0,    12,   0, 0, 0,
                            3,   0,   1,  0, 1, 0, 1, 0, 0, 0, 0,  0xFF, 0xFF, 0xFF, 0xA0, 0, 0, 0};
    std::string description;
    auto image = ReadBmpBytes(file, sizeof file, "os2.bmp", ScreenOptions(), description);
    ASSERT_TRUE(image);
    EXPECT_EQ(description, "3x1 OS/2 DIB(1bit)");
    EXPECT_EQ(image->ColorType(), 2);
    EXPECT_EQ(image->PixelColor(0, 0), 0xFFFFFFu);
    EXPECT_EQ(image->PixelColor(1, 0), 0u);
    EXPECT_EQ(image->PixelColor(2, 0), 0xFFFFFFu);
    const std::optional<PackedDib> packed = ExtractDib(*image);
    ASSERT_TRUE(packed);
    EXPECT_EQ(packed->HeaderBlock().size(), 48u);
    EXPECT_EQ(packed->Header().biClrUsed, 2u);
}

TEST_F(BmpFile, RoundTripsArePixelExact) {
    TempDir dir;
    const std::map<std::string, int> bitCounts = {{"pal1", 1},     {"pal4", 4},   {"pal8", 8},
                                                  {"pal4rle", 4},  {"rgb24", 24}, {"rgb16", 24},
                                                  {"rgb32bf", 24}, {"pal8os2", 8}};
    for (const auto& [name, bitCount] : bitCounts) {
        auto original = Load(kSuite + "g/" + name + ".bmp");
        ASSERT_TRUE(original) << name;
        std::string copy = dir.File(name + ".bmp");
        std::string description = Save(*original, copy);
        EXPECT_EQ(description, "127x64 Windows BMP(" + std::to_string(bitCount) + "bit)") << name;
        EXPECT_EQ(original->PixelSize(), 0u); // packed form freed after the write
        auto reread = Load(copy);
        ASSERT_TRUE(reread) << name;
        EXPECT_TRUE(SameColors(*original, *reread)) << name;
        EXPECT_EQ(reread->lastHeader.biBitCount, bitCount) << name;
        std::string bytes = TempDir::Read(copy);
        EXPECT_EQ(U32At(bytes, 2), bytes.size()) << name;
    }
}

TEST_F(BmpFile, FourBitFileHasSixteenEntryTable) {
    TempDir dir;
    auto image = Load(kSuite + "g/pal4.bmp");
    ASSERT_TRUE(image);
    EXPECT_EQ(image->ColorType(), 16);
    EXPECT_EQ(image->Palette().size(), 12u); // the file's table is shorter
    Save(*image, dir.File("out.bmp"));
    std::string bytes = TempDir::Read(dir.File("out.bmp"));
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(U32At(bytes, 10), 118u);
    EXPECT_EQ(U32At(bytes, 14 + 32), 16u); // biClrUsed
    EXPECT_EQ(bytes.size(), 118u + 64 * 64);
}

TEST_F(BmpFile, SavesAtAnotherColorType) {
    TempDir dir;
    auto image = Load(kSuite + "g/pal8.bmp");
    ASSERT_TRUE(image);
    EXPECT_EQ(Save(*image, dir.File("24.bmp"), 0), "127x64 Windows BMP(24bit)");
    auto reread = Load(dir.File("24.bmp"));
    ASSERT_TRUE(reread);
    EXPECT_EQ(reread->ColorType(), 0);
    EXPECT_TRUE(SameColors(*image, *reread));
    EXPECT_EQ(Save(*image, dir.File("bad.bmp"), 3), "failed");
    ASSERT_EQ(Headless().Messages().size(), 1u);
    EXPECT_EQ(Headless().Messages()[0].text,
              "SaveBmpFile:DIBを生成できません\n" + dir.File("bad.bmp"));
}

TEST_F(BmpFile, WriteFailureIsReported) {
    auto image = Load(kSuite + "g/rgb24.bmp");
    ASSERT_TRUE(image);
    std::FILE* full = std::fopen("/dev/full", "wb");
    ASSERT_TRUE(full);
    std::string description = "unchanged";
    EXPECT_FALSE(WriteBmpFile(*image, full, "/dev/full", -1, description));
    std::fclose(full);
    EXPECT_EQ(description, "unchanged");
    EXPECT_EQ(image->PixelSize(), 0u);
    ASSERT_EQ(Headless().Messages().size(), 1u);
    EXPECT_EQ(Headless().Messages()[0].text, "SaveBmpFile:No space left on device\n/dev/full");
}

TEST_F(BmpFile, MissingFileCannotBeOpened) {
    EXPECT_FALSE(Load("/nonexistent/file.bmp"));
    ASSERT_EQ(Headless().Messages().size(), 1u);
    EXPECT_EQ(Headless().Messages()[0].text,
              "LoadBmpFile:ファイルが開けません\n/nonexistent/file.bmp");
}

TEST_F(BmpFile, RowsWiderThanSixteenBitStridesRoundTrip) {
    TempDir dir;
    CDibImage wide;
    ASSERT_TRUE(wide.CreateBlank(22000, 2, 0));
    wide.Fill(0x123456);
    Save(wide, dir.File("wide.bmp"));
    auto reread = Load(dir.File("wide.bmp"));
    ASSERT_TRUE(reread);
    EXPECT_EQ(reread->Width(), 22000);
    EXPECT_EQ(reread->PixelColor(21999, 1), 0x123456u);
}

TEST_F(BmpFile, LowColorScreenGetsTheReducedPicture) {
    Headless().SetScreenDepth(8);
    std::string description;
    auto image = Load(kSuite + "g/rgb24.bmp", &description);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->ColorType(), 256);
    EXPECT_EQ(image->Palette().size(), 256u);
    EXPECT_EQ(description, "127x64 Windows BMP(24bit)");
    EXPECT_EQ(image->fileSize, 24630u);
}

// A picture of several read stretches (1 MiB each) with one byte of row padding: rows land in
// their places in either row order, a file that lacks only the last row's padding still opens,
// and one cut inside the pixels fails with the reader's report.
TEST_F(BmpFile, TallPictureReadsRowByRowIntoItsPlaces) {
    TempDir dir;
    CDibImage picture;
    ASSERT_TRUE(picture.CreateUnfilled(1001, 1200));
    uint32_t* bits = picture.Bits();
    for (uint32_t y = 0; y < 1200; ++y)
        for (uint32_t x = 0; x < 1001; ++x)
            bits[y * 1001 + x] = 0xFF000000u | (y & 0xFF) << 16 | (x & 0xFF) << 8 | (y >> 8);
    Save(picture, dir.File("tall.bmp"));
    std::string bytes = TempDir::Read(dir.File("tall.bmp"));
    auto reread = Load(dir.Write("cut-padding.bmp", bytes.substr(0, bytes.size() - 1)));
    ASSERT_TRUE(reread);
    EXPECT_TRUE(SameColors(*reread, picture));

    const int32_t topDown = -1200;
    std::memcpy(&bytes[22], &topDown, sizeof topDown);
    auto flipped = Load(dir.Write("topdown.bmp", bytes));
    ASSERT_TRUE(flipped);
    EXPECT_EQ(flipped->PixelColor(7, 0), picture.PixelColor(7, 1199));
    EXPECT_EQ(flipped->PixelColor(1000, 1199), picture.PixelColor(1000, 0));

    Headless().ClearMessages();
    EXPECT_FALSE(Load(dir.Write("cut.bmp", bytes.substr(0, bytes.size() - 2))));
    ASSERT_EQ(Headless().Messages().size(), 1u);
    EXPECT_EQ(Headless().Messages()[0].text.rfind("LoadBmpFile:", 0), 0u);
}

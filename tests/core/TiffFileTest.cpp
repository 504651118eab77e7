#include "core/TiffFile.h"
#include "DocFixture.h"
#include "support/JpegFixture.h"
#include "support/TiffFixture.h"

#include <filesystem>

namespace {

const std::string kUnsupported =
    "LoadTiffFile:この形式の TIFF フォーマットには対応していません\r\n(";

class TiffFile : public DocTest {
protected:
    // A chunky 8-bit file: photometric, samples per pixel, rows per strip, the strips' pixel
    // bytes (laid out one after another) and further IFD0 fields.
    std::string Write(const std::string& name, int width, int height, uint32_t photometric,
                      uint32_t samples, const std::vector<std::string>& strips,
                      std::vector<TiffField> extra = {}, std::vector<TiffField> exif = {}) {
        std::vector<uint32_t> offsets, counts;
        std::string pixels;
        for (const std::string& strip : strips) {
            offsets.push_back(static_cast<uint32_t>(4096 + pixels.size()));
            counts.push_back(static_cast<uint32_t>(strip.size()));
            pixels += strip;
        }
        std::vector<TiffField> fields = {Long(256, {static_cast<uint32_t>(width)}),
                                         Long(257, {static_cast<uint32_t>(height)}),
                                         Short(258, std::vector<uint32_t>(samples, 8)),
                                         Short(259, {1}),
                                         Short(262, {photometric}),
                                         Short(277, {samples}),
                                         Long(278, {1}),
                                         Long(273, offsets),
                                         Long(279, counts)};
        for (TiffField& field : extra) {
            auto same = std::find_if(fields.begin(), fields.end(),
                                     [&](auto& f) { return f.tag == field.tag; });
            if (same != fields.end()) fields.erase(same);
            if (field.type != 0) fields.push_back(field);
        }
        return dir.Write(
            name, MakeTiff(fields, exif, {}, pixels.empty() ? std::string(1, '\0') : pixels));
    }
    bool Load(const std::string& path) { return document.LoadFile(path); }
    std::string LastMessage() const {
        auto messages = Messages();
        return messages.empty() ? std::string() : messages.back();
    }
    CImageDoc document{context};
};

TiffField Remove(uint16_t tag) {
    return {tag, 0, {}, {}};
}

std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (int v : values)
        bytes += static_cast<char>(v);
    return bytes;
}

} // namespace

TEST_F(TiffFile, CorpusFilesOpenWithTheirReferencePixelsOrAreRefused) {
    namespace fs = std::filesystem;
    int opened = 0, compared = 0;
    for (const auto& entry :
         fs::directory_iterator(fs::path(CORPORA_DIR) / "libtiff-test-images")) {
        std::string extension = entry.path().extension().string();
        if (extension != ".tif" && extension != ".tiff") continue;
        Headless().ClearMessages();
        std::string path = entry.path().string();
        if (!Load(path)) {
            std::string message = LastMessage();
            EXPECT_EQ(message.substr(0, kUnsupported.size()), kUnsupported) << path;
            EXPECT_EQ(message.substr(message.size() - path.size() - 2), ")\n" + path);
            continue;
        }
        ++opened;
        for (const char* pnm : {".ppm", ".pgm"}) {
            fs::path reference = entry.path();
            reference.replace_extension(pnm);
            PnmImage image;
            if (!fs::exists(reference) || !ParsePnm(TempDir::Read(reference.string()), image))
                continue;
            ASSERT_EQ(document.ImageWidth(), image.width);
            ASSERT_EQ(document.ImageHeight(), image.height);
            std::vector<uint32_t> expected;
            for (size_t i = 0; i < image.samples.size(); i += image.channels) {
                const uint8_t* s = &image.samples[i];
                expected.push_back(image.channels == 1 ? s[0] * 0x010101u
                                                       : s[0] << 16 | s[1] << 8 | s[2]);
            }
            EXPECT_EQ(PixelsOf(document.Image()), expected) << path;
            ++compared;
        }
    }
    EXPECT_EQ(compared, 2);
    EXPECT_GE(opened, 6);
}

TEST_F(TiffFile, KindsOfPicture) {
    // RGBA: the fourth byte of each pixel is skipped.
    ASSERT_TRUE(Load(Write("rgba.tif", 2, 1, 2, 4, {Bytes({10, 20, 30, 99, 40, 50, 60, 99})})));
    EXPECT_EQ(PixelsOf(document.Image()), (std::vector<uint32_t>{0x0A141E, 0x28323C}));
    EXPECT_EQ(document.Facts().description, "2x1 TIFF (RGB)");
    EXPECT_FALSE(document.Facts().grayscale);

    // Gray with alpha: the first sample of each pixel.
    ASSERT_TRUE(Load(Write("ga.tif", 3, 1, 1, 2, {Bytes({0, 255, 128, 255, 255, 0})})));
    EXPECT_EQ(PixelsOf(document.Image()), (std::vector<uint32_t>{0, 0x808080, 0xFFFFFF}));
    EXPECT_EQ(document.Facts().description, "3x1 TIFF (Gray)");
    EXPECT_TRUE(document.Facts().grayscale);
    EXPECT_EQ(document.Facts().palette.size(), 256u);

    // WhiteIsZero reverses the ramp.
    ASSERT_TRUE(Load(Write("wz.tif", 2, 1, 0, 1, {Bytes({0, 200})})));
    EXPECT_EQ(PixelsOf(document.Image()), (std::vector<uint32_t>{0xFFFFFF, 0x373737}));

    // Palette: the high bytes of the ColorMap's reds, greens and blues.
    TiffField map = Short(320, {0x1200, 0xFFFF, 0x3400, 0x0000, 0x5600, 0x8000});
    ASSERT_TRUE(Load(Write("p.tif", 2, 1, 3, 1, {Bytes({1, 0})}, {map})));
    EXPECT_EQ(PixelsOf(document.Image()), (std::vector<uint32_t>{0xFF0080, 0x123456}));
    EXPECT_EQ(document.Facts().description, "2x1 TIFF (Idx)");
    EXPECT_EQ(document.Facts().palette.size(), 2u);
}

TEST_F(TiffFile, RowsRunOnAcrossStripsAndStopWhereTheStripsEnd) {
    // 15 pixels wide, strips of 10 rows; the second strip starts mid-way in no row.
    std::vector<uint32_t> expected;
    std::string first, second;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 15; ++x) {
            uint8_t r = static_cast<uint8_t>(x * 16), g = static_cast<uint8_t>(y * 12),
                    b = static_cast<uint8_t>(x + y);
            (y < 10 ? first : second) += Bytes({r, g, b});
            expected.push_back(r << 16 | g << 8 | b);
        }
    ASSERT_TRUE(Load(Write("strips.tif", 15, 20, 2, 3, {first, second})));
    EXPECT_EQ(PixelsOf(document.Image()), expected);

    // One strip for 20 rows: rows 10 to 19 stay black.
    ASSERT_TRUE(Load(Write("short.tif", 15, 20, 2, 3, {first})));
    std::fill(expected.begin() + 150, expected.end(), 0u);
    EXPECT_EQ(PixelsOf(document.Image()), expected);

    // A strip past the end of the file, or longer than the file: what exists is read.
    std::vector<TiffField> beyond = {Long(273, {4096, 1 << 30}), Long(279, {450, 0xFFFFFFFF})};
    ASSERT_TRUE(Load(Write("beyond.tif", 15, 20, 2, 3, {first}, beyond)));
    EXPECT_EQ(PixelsOf(document.Image()), expected);
}

TEST_F(TiffFile, UnsupportedVariantsNameTheirTag) {
    struct Case {
        const char* detail;
        uint32_t photometric, samples;
        std::vector<TiffField> extra;
    } cases[] = {
        {"Compression=5", 2, 3, {Short(259, {5})}},
        {"PlanarConfig=2", 2, 3, {Short(284, {2})}},
        {"BitsPerSample:0=16", 1, 1, {Short(258, {16})}},
        {"BitsPerSample:2=4", 2, 3, {Short(258, {8, 8, 4})}},
        {"PhotometricInterpretation=5", 5, 4, {}},
        {"No Color Map", 3, 1, {}},
        {"Format Error", 2, 3, {Remove(273)}},
        {"Format Error", 2, 3, {Remove(278)}},
        {"Format Error", 1, 1, {Long(256, {0})}},
        {"SamplesPerPixel=1", 2, 1, {}},
        {"SamplesPerPixel=70000", 1, 1, {Long(277, {70000})}},
    };
    for (const Case& c : cases) {
        Headless().ClearMessages();
        std::string path =
            Write("u.tif", 4, 4, c.photometric, c.samples, {std::string(48, 'x')}, c.extra);
        EXPECT_FALSE(Load(path)) << c.detail;
        EXPECT_EQ(LastMessage(), kUnsupported + c.detail + ")\n" + path);
    }
    Headless().ClearMessages();
    EXPECT_FALSE(Load(dir.Write("text.tif", "not a TIFF")));
    EXPECT_EQ(LastMessage(), "LoadTiffFile:ファイルが開けません\n" + dir.File("text.tif"));
}

TEST_F(TiffFile, PictureSizesBeyondTheFileAreRefused) {
    std::string path = Write("huge.tif", 40000, 40000, 2, 3, {std::string(30, 'x')});
    EXPECT_FALSE(Load(path));
    EXPECT_EQ(LastMessage(), "LoadTiffFile:メモリが確保できません\n" + path);
}

TEST_F(TiffFile, ExifTiffKeepsItsDirectories) {
    std::vector<TiffField> exif = {Undefined(0x9000, "0221"), Short(0x8827, {200})};
    std::vector<TiffField> camera = {Ascii(271, "Maker"), Ascii(272, "Model")};
    ASSERT_TRUE(Load(Write("cam.tif", 1, 1, 2, 3, {Bytes({1, 2, 3})}, camera, exif)));
    EXPECT_EQ(document.Facts().description, "1x1 TIFF(Exif2.21) (RGB)");
    EXPECT_TRUE(document.Facts().exif.Present());
    ASSERT_TRUE(document.Facts().exif.Reader());
    const CIfdEntry* iso = document.Facts().exif.Reader()->FindTag(0x8827);
    ASSERT_TRUE(iso);
    EXPECT_EQ(document.Facts().exif.Reader()->GetShort(*iso), 200);

    ASSERT_TRUE(Load(Write("plain.tif", 1, 1, 2, 3, {Bytes({1, 2, 3})})));
    EXPECT_FALSE(document.Facts().exif.Present());
    EXPECT_FALSE(document.Facts().exif.Reader());
}

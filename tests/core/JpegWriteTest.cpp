#include "core/JpegWrite.h"
#include "DocFixture.h"
#include "base/HeadlessPlatform.h"
#include "core/ImageSaveRequest.h"
#include "core/OutputFiles.h"
#include "jpegtools/Charset.h"
#include "support/JpegFixture.h"

#include <gtest/gtest.h>

namespace {

uint32_t TestColour(int x, int y) {
    return static_cast<uint32_t>(((x * 5 + y) & 0xFF) << 16 | ((x * y) & 0xFF) << 8 |
                                 ((y * 9 - x) & 0xFF));
}

// A realized 24-bit image; colour(x, y) gives 0x00RRGGBB with y counted from the top.
template <typename Colour>
std::unique_ptr<CDibImage> MakeTrueColorImage(int width, int height, Colour colour) {
    std::vector<uint32_t> rgb;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            rgb.push_back(colour(x, y));
    return MakeImage(width, height, rgb);
}

class JpegWrite : public ::testing::Test {
protected:
    void SetUp() override {
        Headless().ClearMessages();
        image = MakeTrueColorImage(70, 45, TestColour);
        ASSERT_TRUE(image);
    }
    JpegDescription Write(const std::string& name, const JpegWriteSettings& settings) {
        JpegDescription description;
        EXPECT_TRUE(EncodeJpegFile(dir.File(name), *image, settings, description)) << name;
        return description;
    }
    TempDir dir;
    std::unique_ptr<CDibImage> image;
};

std::vector<uint16_t> TableOf(const QuantTable& table) {
    return {table.begin(), table.end()};
}

// Writes the test picture as a PPM for cjpeg.
std::string WritePpm(const TempDir& dir, int width, int height) {
    std::string bytes = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint32_t c = TestColour(x, y);
            bytes += {static_cast<char>(c >> 16), static_cast<char>(c >> 8), static_cast<char>(c)};
        }
    return dir.Write("in.ppm", bytes);
}

} // namespace

TEST_F(JpegWrite, FormatValuesReachTheFile) {
    const int factors[][2] = {{0, 0}, {1, 1}, {2, 1}, {2, 2}, {1, 2}};
    for (int sampling = 1; sampling <= 4; ++sampling) {
        for (bool progressive : {false, true}) {
            JpegWriteSettings settings;
            settings.sampling = sampling;
            settings.progressive = progressive;
            settings.restartEveryRow = sampling == kSampling22;
            settings.densityUnit = 1;
            settings.xDensity = 300;
            settings.yDensity = 150;
            std::string name = "s" + std::to_string(sampling) + (progressive ? "p.jpg" : "b.jpg");
            JpegDescription description = Write(name, settings);
            JpegReadBack back = ReadBackJpeg(dir.File(name));
            ASSERT_TRUE(back.ok) << name;
            EXPECT_EQ(back.components, 3);
            EXPECT_EQ(back.hSampling, factors[sampling][0]) << name;
            EXPECT_EQ(back.vSampling, factors[sampling][1]) << name;
            EXPECT_EQ(back.progressive, progressive) << name;
            // One interval per MCU row: 70 pixels are 5 MCUs of 16.
            EXPECT_EQ(back.restartInterval, sampling == kSampling22 ? 5u : 0u) << name;
            EXPECT_EQ(back.densityUnit, 1);
            EXPECT_EQ(back.xDensity, 300);
            EXPECT_EQ(back.yDensity, 150);
            ASSERT_EQ(back.tables.size(), 2u);
            EXPECT_EQ(back.tables[0], TableOf(MakeQualityTable(0, 75)));
            EXPECT_EQ(back.tables[1], TableOf(MakeQualityTable(1, 75)));
            std::string ds = sampling == kSampling22 ? "4:1"
                                                     : std::to_string(factors[sampling][0]) + ":" +
                                                           std::to_string(factors[sampling][1]);
            EXPECT_EQ(description.text,
                      "70x45 JFIF1.1(YCbCr) DS=" + ds + (progressive ? " Prg." : "") + " Qf=86.1");
        }
    }
}

TEST_F(JpegWrite, FilesEqualCjpegOutput) {
    std::string ppm = WritePpm(dir, 70, 45);
    struct Case {
        const char* options;
        int sampling;
        bool progressive, restart;
    } cases[] = {{"-quality 75 -sample 2x2", kSampling22, false, false},
                 {"-quality 30 -sample 2x1 -progressive", kSampling21, true, false},
                 {"-quality 90 -sample 1x1 -restart 1", kSampling11, false, true}};
    for (const Case& c : cases) {
        JpegWriteSettings settings;
        settings.quality = std::atoi(c.options + 9);
        settings.sampling = c.sampling;
        settings.progressive = c.progressive;
        settings.restartEveryRow = c.restart;
        Write("ours.jpg", settings);
        std::string command = std::string("cjpeg -optimize ") + c.options + " -outfile " +
                              dir.File("theirs.jpg") + " " + ppm;
        ASSERT_EQ(std::system(command.c_str()), 0);
        EXPECT_TRUE(TempDir::Read(dir.File("ours.jpg")) == TempDir::Read(dir.File("theirs.jpg")))
            << c.options;
    }
}

TEST_F(JpegWrite, GrayscaleFileFromTheGrayFormula) {
    image = MakeTrueColorImage(16, 8, [](int x, int) { return x < 8 ? 0x00FF0000u : 0x000000FFu; });
    JpegWriteSettings settings;
    settings.sampling = kSamplingGray;
    settings.quality = 100;
    JpegDescription description = Write("g.jpg", settings);
    EXPECT_EQ(description.text, "16x8 JFIF1.1(Grayscale) Qf=100.0");
    EXPECT_TRUE(description.grayscale);
    JpegReadBack back = ReadBackJpeg(dir.File("g.jpg"));
    EXPECT_EQ(back.components, 1);
    PnmImage decoded;
    ASSERT_TRUE(DjpegDecode(dir.File("g.jpg"), decoded));
    ASSERT_EQ(decoded.channels, 1);
    EXPECT_NEAR(decoded.samples[2], 76, 2);  // red: 0.299 x 255
    EXPECT_NEAR(decoded.samples[12], 29, 2); // blue: 0.114 x 255
}

TEST_F(JpegWrite, CommentFollowsTheJfifSegment) {
    JpegWriteSettings settings;
    settings.comment = std::string("Kommentar\0 mit Null", 19);
    Write("c.jpg", settings);
    std::string bytes = TempDir::Read(dir.File("c.jpg"));
    auto segments = JpegSegments(bytes);
    ASSERT_GE(segments.size(), 3u);
    EXPECT_EQ(segments[0].first, 0xE0);
    EXPECT_EQ(segments[1].first, 0xFE);
    EXPECT_EQ(bytes.substr(segments[1].second, 4 + 19),
              "\xFF\xFE" + std::string("\0\x15", 2) + std::string("Kommentar\0 mit Null", 19));
    EXPECT_EQ(ReadBackJpeg(dir.File("c.jpg")).comments,
              std::vector<std::string>{std::string("Kommentar\0 mit Null", 19)});

    Write("none.jpg", JpegWriteSettings{});
    EXPECT_TRUE(ReadBackJpeg(dir.File("none.jpg")).comments.empty());
}

TEST_F(JpegWrite, OverlongCommentIsCutAtACharacterBoundary) {
    JpegWriteSettings settings;
    std::string kana;
    for (int i = 0; i < 40000; ++i)
        kana += "\x82\xA0"; // Shift_JIS "あ"
    settings.comment = "x" + kana;
    settings.commentCharset = kCharsetShiftJis;
    Write("long.jpg", settings);
    auto comments = ReadBackJpeg(dir.File("long.jpg")).comments;
    ASSERT_EQ(comments.size(), 1u);
    EXPECT_EQ(comments[0], ("x" + kana).substr(0, 65533));
    EXPECT_EQ(comments[0].size(), 65533u);

    settings.comment = kana;
    Write("long2.jpg", settings);
    EXPECT_EQ(ReadBackJpeg(dir.File("long2.jpg")).comments[0].size(), 65532u);
}

TEST_F(JpegWrite, CustomTablesReplaceTheQualityTables) {
    QuantTablePair tables{};
    for (int i = 0; i < 128; ++i)
        tables[i] = static_cast<uint16_t>(i + 2);
    JpegWriteSettings settings;
    settings.quality = 10;
    settings.customTables = tables;
    JpegDescription description = Write("t.jpg", settings);
    JpegReadBack back = ReadBackJpeg(dir.File("t.jpg"));
    ASSERT_EQ(back.tables.size(), 2u);
    EXPECT_EQ(back.tables[0], std::vector<uint16_t>(tables.begin(), tables.begin() + 64));
    EXPECT_EQ(back.tables[1], std::vector<uint16_t>(tables.begin() + 64, tables.end()));
    // Sums 2 + ... + 65 = 2144 and 66 + ... + 129 = 6240.
    EXPECT_EQ(description.qualityEstimate, (2144u + 6240u) / 2);

    // Entries libjpeg-turbo cannot divide by are kept within 1..8191.
    tables.fill(0);
    tables[1] = 8192;
    tables[2] = 65535;
    settings.customTables = tables;
    Write("z.jpg", settings);
    back = ReadBackJpeg(dir.File("z.jpg"));
    ASSERT_EQ(back.tables.size(), 2u);
    EXPECT_EQ(back.tables[0][0], 1);
    EXPECT_EQ(back.tables[0][1], 8191);
    EXPECT_EQ(back.tables[0][2], 8191);
}

TEST_F(JpegWrite, FormatWriterTakesEverythingFromTheRequest) {
    // No document: the picture, facts, comment and tables of a request as a caller builds it.
    ImageFacts facts;
    facts.description = "before";
    const CommentItem other{kCharsetAscii, "Title", "not written"};
    const CommentItem current{kCharsetAscii, "Comment", "from the request"};
    QuantTablePair tables{};
    tables.fill(3);
    ImageSaveRequest request{.picture = *image,
                             .facts = facts,
                             .comments = {&other, &current},
                             .currentComment = &current,
                             .includeComment = true,
                             .customTables = tables,
                             .pngSaveMode = 0,
                             .writeGamma = false,
                             .options = {}};
    COutputFiles output;
    ImageFacts written = facts;
    ASSERT_TRUE(SaveJpegFile(request, written, output, dir.File("r.jpg")));
    ASSERT_TRUE(output.Commit("SaveJpegFile"));
    JpegReadBack back = ReadBackJpeg(dir.File("r.jpg"));
    EXPECT_EQ(back.comments, std::vector<std::string>{"from the request"});
    ASSERT_EQ(back.tables.size(), 2u);
    EXPECT_EQ(back.tables[0], std::vector<uint16_t>(64, 3));
    EXPECT_EQ(written.description.substr(0, 6), "70x45 ");
    EXPECT_EQ(facts.description, "before"); // the request is only read

    // Comments not included, no custom tables: neither is written.
    request.includeComment = false;
    request.customTables.reset();
    COutputFiles plain;
    ASSERT_TRUE(SaveJpegFile(request, written, plain, dir.File("p.jpg")));
    ASSERT_TRUE(plain.Commit("SaveJpegFile"));
    back = ReadBackJpeg(dir.File("p.jpg"));
    EXPECT_TRUE(back.comments.empty());
    EXPECT_NE(back.tables[0], std::vector<uint16_t>(64, 3));
}

TEST_F(JpegWrite, UnwritablePathIsReported) {
    JpegDescription description;
    std::string path = dir.File("no/such/dir.jpg");
    EXPECT_FALSE(EncodeJpegFile(path, *image, JpegWriteSettings{}, description));
    ASSERT_FALSE(Headless().Messages().empty());
    EXPECT_EQ(Headless().Messages().back().text, "SaveJpegFile:Cannot open\n" + path);
    EXPECT_EQ(image->PixelSize(), 0u);
}

TEST_F(JpegWrite, PaletteImagesAreWrittenFromTheirColours) {
    image = std::make_unique<CDibImage>();
    ASSERT_TRUE(image->CreateBlank(16, 8, 16));
    image->Fill(0x0000FF); // blue, an entry of the 16-colour palette
    JpegWriteSettings settings;
    settings.quality = 100;
    settings.sampling = kSampling11;
    Write("p.jpg", settings);
    PnmImage decoded;
    ASSERT_TRUE(DjpegDecode(dir.File("p.jpg"), decoded));
    ASSERT_EQ(decoded.channels, 3);
    EXPECT_NEAR(decoded.samples[0], 0, 2);
    EXPECT_NEAR(decoded.samples[2], 255, 2);
    EXPECT_EQ(image->PixelSize(), 0u); // the extraction is freed
}

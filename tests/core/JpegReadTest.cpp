#include "core/JpegRead.h"
#include "base/HeadlessPlatform.h"
#include "support/Corpus.h"
#include "support/JpegFixture.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

struct Decoded {
    bool ok = false;
    CDibImage image;
    JpegFileFacts facts;
};

std::unique_ptr<Decoded> Decode(const std::string& path,
                                JpegPixelForm form = JpegPixelForm::PackedDib) {
    auto decoded = std::make_unique<Decoded>();
    decoded->ok = DecodeJpegFile(path, form, decoded->image, decoded->facts);
    return decoded;
}

std::string MakeJpeg(const TempDir& dir, const std::string& name, const TestJpegOptions& options) {
    std::string path = dir.File(name);
    EXPECT_TRUE(WriteTestJpeg(path, options));
    return path;
}

// The sample of channel c (0 blue, 1 green, 2 red) at (x, y from the top) of djpeg's output.
uint8_t ReferenceSample(const PnmImage& reference, int x, int y, int c) {
    size_t pixel = static_cast<size_t>(y) * reference.width + x;
    return reference.samples[pixel * reference.channels + (reference.channels == 1 ? 0 : 2 - c)];
}

// Compares the decoded picture (packed DIB, or device form when there is one) with djpeg's.
void ExpectSamePixels(CDibImage& image, const PnmImage& reference, const std::string& what) {
    const bool device = !image.IsEmpty();
    ASSERT_EQ(device ? image.Width() : image.Header()->biWidth, reference.width) << what;
    ASSERT_EQ(device ? image.Height() : image.Header()->biHeight, reference.height) << what;
    size_t stride = DibStride(reference.width, 24);
    size_t mismatches = 0;
    for (int y = 0; y < reference.height; ++y) {
        const uint8_t* row =
            device ? nullptr : image.Pixels() + stride * (reference.height - 1 - y);
        for (int x = 0; x < reference.width; ++x) {
            uint32_t colour = device ? image.PixelColor(x, y) : 0;
            for (int c = 0; c < 3; ++c) {
                uint8_t sample = device ? (colour >> (8 * c)) & 0xFF : row[3 * x + c];
                mismatches += sample != ReferenceSample(reference, x, y, c);
            }
        }
    }
    EXPECT_EQ(mismatches, 0u) << what;
    // The library's fourth byte of a BGRA row must be 0xFF, as the device form requires.
    const std::span<const uint32_t> words = image.TrueColorPixels();
    EXPECT_TRUE(std::all_of(words.begin(), words.end(), [](uint32_t w) { return w >> 24 == 0xFF; }))
        << what;
}

class JpegRead : public ::testing::Test {
protected:
    void SetUp() override { Headless().ClearMessages(); }
    std::string LastMessage() {
        auto& messages = Headless().Messages();
        return messages.empty() ? std::string() : messages.back().text;
    }
    TempDir dir;
};

} // namespace

TEST_F(JpegRead, DescriptionsOfBaselineProgressiveAndGrayscale) {
    TestJpegOptions options;
    options.width = 1024;
    options.height = 768;
    auto baseline = Decode(MakeJpeg(dir, "b.jpg", options));
    ASSERT_TRUE(baseline->ok);
    EXPECT_EQ(baseline->facts.description.text, "1024x768 JFIF1.1(YCbCr) DS=4:1 Qf=86.1");
    EXPECT_EQ(baseline->facts.description.qualityEstimate, 2319u);
    EXPECT_FALSE(baseline->facts.description.grayscale);
    ASSERT_TRUE(baseline->facts.hasTable[0] && baseline->facts.hasTable[1]);
    EXPECT_EQ(baseline->facts.tables[0], MakeQualityTable(0, 75));
    EXPECT_EQ(baseline->facts.tables[1], MakeQualityTable(1, 75));

    options.progressive = true;
    EXPECT_EQ(Decode(MakeJpeg(dir, "p.jpg", options))->facts.description.text,
              "1024x768 JFIF1.1(YCbCr) DS=4:1 Prg. Qf=86.1");

    options = TestJpegOptions{};
    options.hSampling = 2;
    options.vSampling = 1;
    options.jfif = false;
    EXPECT_EQ(Decode(MakeJpeg(dir, "n.jpg", options))->facts.description.text,
              "64x48 JPEG(YCbCr) DS=2:1 Qf=86.1");

    options = TestJpegOptions{};
    options.inSpace = JCS_GRAYSCALE;
    options.hSampling = options.vSampling = 1;
    auto gray = Decode(MakeJpeg(dir, "g.jpg", options));
    ASSERT_TRUE(gray->ok);
    EXPECT_EQ(gray->facts.description.text, "64x48 JFIF1.1(Grayscale) Qf=88.9");
    EXPECT_TRUE(gray->facts.description.grayscale);
    EXPECT_TRUE(gray->facts.hasTable[0]);
    EXPECT_FALSE(gray->facts.hasTable[1]);
}

TEST_F(JpegRead, PixelsMatchDjpegForEveryColourSpace) {
    struct Case {
        const char* name;
        J_COLOR_SPACE in, file;
        int h, v;
    } cases[] = {
        {"ycc420.jpg", JCS_RGB, JCS_UNKNOWN, 2, 2}, {"ycc422.jpg", JCS_RGB, JCS_UNKNOWN, 2, 1},
        {"ycc440.jpg", JCS_RGB, JCS_UNKNOWN, 1, 2}, {"gray.jpg", JCS_GRAYSCALE, JCS_UNKNOWN, 1, 1},
        {"rgb.jpg", JCS_RGB, JCS_RGB, 1, 1},        {"cmyk.jpg", JCS_CMYK, JCS_UNKNOWN, 1, 1},
        {"ycck.jpg", JCS_CMYK, JCS_YCCK, 2, 2},
    };
    for (const Case& c : cases) {
        TestJpegOptions options;
        options.width = 37; // odd widths exercise the row padding
        options.height = 19;
        options.inSpace = c.in;
        options.fileSpace = c.file;
        options.hSampling = c.h;
        options.vSampling = c.v;
        std::string path = MakeJpeg(dir, c.name, options);
        PnmImage reference;
        ASSERT_TRUE(DjpegDecode(path, reference)) << c.name;
        for (JpegPixelForm form : {JpegPixelForm::PackedDib, JpegPixelForm::DeviceForm}) {
            auto decoded = Decode(path, form);
            ASSERT_TRUE(decoded->ok) << c.name;
            EXPECT_EQ(decoded->image.IsEmpty(), form == JpegPixelForm::PackedDib);
            ExpectSamePixels(decoded->image, reference, c.name);
        }
    }
}

TEST_F(JpegRead, CmykIsShownInItsColours) {
    // CMYK as Adobe applications store it, inverted: 255 is no ink. Four columns of 8 pixels:
    // no ink (white), full black, full cyan, full magenta and yellow (red).
    static const JSAMPLE kInks[4][4] = {
        {255, 255, 255, 255}, {255, 255, 255, 0}, {0, 255, 255, 255}, {255, 0, 0, 255}};
    static const uint8_t kBgr[4][3] = {{255, 255, 255}, {0, 0, 0}, {255, 255, 0}, {0, 0, 255}};
    for (J_COLOR_SPACE fileSpace : {JCS_CMYK, JCS_YCCK}) {
        TestJpegOptions options;
        options.inSpace = JCS_CMYK;
        options.fileSpace = fileSpace;
        options.width = 32;
        options.height = 8;
        options.quality = 100;
        options.jfif = false;
        options.hSampling = options.vSampling = 1;
        options.sample = [](int x, int, int c) { return kInks[x / 8][c]; };
        auto decoded = Decode(MakeJpeg(dir, "c.jpg", options));
        ASSERT_TRUE(decoded->ok);
        EXPECT_EQ(decoded->facts.description.text, fileSpace == JCS_CMYK
                                                       ? "32x8 JPEG(CMYK) DS=1:1 Qf=100.0"
                                                       : "32x8 JPEG(YCCK) DS=1:1 Qf=100.0");
        for (int column = 0; column < 4; ++column)
            for (int c = 0; c < 3; ++c)
                EXPECT_NEAR(decoded->image.Pixels()[(column * 8 + 4) * 3 + c], kBgr[column][c], 3)
                    << column << " " << c;
    }
}

TEST_F(JpegRead, CommentSegmentsLastOneWins) {
    TestJpegOptions options;
    options.markers = {{JPEG_COM, "first"}, {JPEG_COM, std::string("se\0cond", 7)}};
    auto decoded = Decode(MakeJpeg(dir, "c.jpg", options));
    ASSERT_TRUE(decoded->ok);
    EXPECT_TRUE(decoded->facts.markers.hasComment);
    EXPECT_EQ(decoded->facts.markers.comment, std::string("se\0cond", 7));
    EXPECT_EQ(decoded->facts.markers.commentCharset, -1);

    options.markers = {{JPEG_APP0 + 1, "XMP stuff that is not Exif"}, {JPEG_APP0 + 2, "ICC"}};
    auto plain = Decode(MakeJpeg(dir, "p.jpg", options));
    ASSERT_TRUE(plain->ok);
    EXPECT_FALSE(plain->facts.markers.hasComment);
    EXPECT_FALSE(plain->facts.markers.hasExif);
}

TEST_F(JpegRead, FailuresAreReportedWithTheLibraryMessage) {
    EXPECT_FALSE(Decode(dir.File("missing.jpg"))->ok);
    EXPECT_EQ(LastMessage(), "LoadJpegFile:ファイルが開けません\n" + dir.File("missing.jpg"));

    EXPECT_FALSE(Decode(dir.Write("text.jpg", "hello, not a JPEG"))->ok);
    EXPECT_EQ(LastMessage(), "JPEGLIB:Not a JPEG file: starts with 0x68 0x65\n");

    EXPECT_FALSE(Decode(dir.Write("empty.jpg", ""))->ok);
    EXPECT_EQ(LastMessage().substr(0, 8), "JPEGLIB:");

    std::string twelve = std::string(CORPORA_DIR) + "/libjpeg-turbo-testimages/monkey12.jpg";
    EXPECT_FALSE(Decode(twelve)->ok);
    EXPECT_EQ(LastMessage(), "JPEGLIB:Unsupported JPEG data precision 12\n");
}

TEST_F(JpegRead, TruncatedAndHostileFilesFailOrDecodeWithoutHarm) {
    TestJpegOptions options;
    options.markers = {{JPEG_COM, "a comment"}};
    std::string whole = TempDir::Read(MakeJpeg(dir, "w.jpg", options));
    // Every prefix either fails with a report or decodes (the rest grey, with a warning).
    for (size_t length = 0; length < whole.size(); length += 37) {
        Headless().ClearMessages();
        auto decoded = Decode(dir.Write("t.jpg", whole.substr(0, length)));
        if (!decoded->ok) {
            EXPECT_EQ(LastMessage().substr(0, 8), "JPEGLIB:") << length;
        }
    }
    // A COM length field of 0 or 1 is taken as an empty comment.
    for (char low : {'\0', '\1'}) {
        std::string bad = whole;
        size_t com = bad.find("\xFF\xFE");
        bad[com + 2] = 0;
        bad[com + 3] = low;
        Decode(dir.Write("l.jpg", bad));
    }
}

TEST_F(JpegRead, PictureSizesBeyondTheFileAreRefused) {
    TestJpegOptions options;
    options.width = options.height = 16;
    std::string bytes = TempDir::Read(MakeJpeg(dir, "s.jpg", options));
    size_t sof = bytes.find("\xFF\xC0");
    ASSERT_NE(sof, std::string::npos);
    // 12288 x 12288 pixels from a file of a few hundred bytes.
    bytes[sof + 5] = bytes[sof + 7] = '\x30';
    bytes[sof + 6] = bytes[sof + 8] = '\0';
    std::string path = dir.Write("huge.jpg", bytes);
    EXPECT_FALSE(Decode(path)->ok);
    EXPECT_EQ(LastMessage(), "LoadJpegFile:メモリが確保できません\n" + path);
}

TEST_F(JpegRead, CorpusFilesDecodeAsDjpegDecodesThem) {
    namespace fs = std::filesystem;
    int compared = 0;
    for (const char* folder : {"exif-samples", "libjpeg-turbo-testimages"}) {
        for (const auto& entry : fs::recursive_directory_iterator(fs::path(CORPORA_DIR) / folder)) {
            std::string extension = entry.path().extension().string();
            for (char& c : extension)
                c = static_cast<char>(std::tolower(c));
            if (!entry.is_regular_file() || (extension != ".jpg" && extension != ".jpeg")) {
                continue;
            }
            std::string path = entry.path().string();
            Headless().ClearMessages();
            auto decoded = Decode(path, JpegPixelForm::DeviceForm);
            PnmImage reference;
            bool djpegDecodes = DjpegDecode(path, reference);
            if (!decoded->ok) {
                EXPECT_FALSE(djpegDecodes) << path;
                EXPECT_EQ(LastMessage().substr(0, 8), "JPEGLIB:") << path;
                continue;
            }
            ASSERT_TRUE(djpegDecodes) << path;
            ExpectSamePixels(decoded->image, reference, path);
            ++compared;
        }
    }
    EXPECT_GT(compared, 90);
}

// describe reads only the headers of a JPEG file: what they give must be the full read's text.
TEST_F(JpegRead, HeaderDescriptionIsTheFullReadsOnEveryCorpusFile) {
    int described = 0;
    for (const std::string& path : CorpusFiles({".jpg", ".jpeg", ".jfif"})) {
        std::string fromHeaders;
        if (!DescribeJpegHeaders(path, fromHeaders)) continue;
        auto decoded = Decode(path, JpegPixelForm::DeviceForm);
        ASSERT_TRUE(decoded->ok) << path;
        EXPECT_EQ(fromHeaders, decoded->facts.description.text) << path;
        ++described;
    }
    if (!CorpusFiles({".jpg"}).empty()) {
        EXPECT_GT(described, 50);
    }

    // A progressive file may define tables between its scans: it is read in full.
    TestJpegOptions progressive;
    progressive.progressive = true;
    std::string text;
    EXPECT_FALSE(DescribeJpegHeaders(MakeJpeg(dir, "p.jpg", progressive), text));
    EXPECT_FALSE(DescribeJpegHeaders(dir.Write("text.jpg", "not a JPEG file"), text));
}

#include "jpegtools/LosslessFilter.h"
#include "jpegtools/Charset.h"
#include "jpegtools/CommentCut.h"
#include "jpegtools/ExifReader.h"
#include "jpegtools/ExifToJfif.h"
#include "jpegtools/JpegCodecSupport.h"
#include "jpegtools/SegmentTestSupport.h"
#include "settings/SettingsStore.h"
#include "support/ExifFixture.h"
#include "support/TiffBuilder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

constexpr auto kIfd0 = TiffBuilder::kIfd0;
constexpr auto kExif = TiffBuilder::kExif;

BulkFltOptions AllOff() {
    BulkFltOptions options;
    options.removeThumb = options.removeJfxx = options.removeAppX = 0;
    options.uniteDqt = options.uniteDht = options.removeCom = options.convertExif = 0;
    options.exifGenCmt = options.exifGenEng = options.exifUserCmt = 0;
    return options;
}

std::string ExifPayload(const TiffBuilder& builder) {
    const std::vector<uint8_t> block = builder.Build();
    return std::string("Exif\0\0", 6) + std::string(block.begin(), block.end());
}

// "D8 E0:18 DB:134 ..." — marker codes of a JPEG's segments with their lengths (standalone
// markers without); data stretches are left out.
std::string Layout(const TempDir& dir, const std::string& bytes) {
    const SegmentList list = SplitJpegFile(dir.Write("layout.jpg", bytes));
    std::string text;
    char item[32];
    for (const auto& segment : list) {
        if (segment->Has(SEG_DATA)) continue;
        if (segment->length == 2)
            std::snprintf(item, sizeof item, "%s%02X", text.empty() ? "" : " ", segment->Code());
        else
            std::snprintf(item, sizeof item, "%s%02X:%llu", text.empty() ? "" : " ",
                          segment->Code(), (unsigned long long)segment->length);
        text += item;
    }
    return text;
}

// "2 1 0 ..." — the number of DHT segments before each scan.
std::string TablesPerScan(const std::string& layout) {
    std::string counts;
    int tables = 0;
    for (size_t at = 0; at < layout.size(); at = layout.find(' ', at) + 1) {
        if (layout.compare(at, 3, "C4:") == 0) ++tables;
        if (layout.compare(at, 3, "DA:") == 0) {
            counts += (counts.empty() ? "" : " ") + std::to_string(tables);
            tables = 0;
        }
        if (layout.find(' ', at) == std::string::npos) break;
    }
    return counts;
}

// The payload of the first segment with the code (empty when there is none).
std::string FirstPayload(const TempDir& dir, const std::string& bytes, int code) {
    const SegmentList list = SplitJpegFile(dir.Write("payload.jpg", bytes));
    for (const auto& segment : list)
        if (segment->Code() == code)
            return std::string(reinterpret_cast<const char*>(segment->Bytes()) + 4,
                               segment->ByteCount() - 4);
    return {};
}

class LosslessFilter : public ::testing::Test {
protected:
    struct Run {
        int result = 0;
        std::string output;
        int width = 0, height = 0;
        uint64_t writtenSize = 0;
    };

    LosslessFilter() {
        settings.tempDir = dir.File("");
        settings.autoWriteCharset = 1;
    }

    Run Filter(const std::string& jpeg, const BulkFltOptions& options,
               const std::string& destination = "") {
        const std::string source = dir.Write("source.jpg", jpeg);
        SegmentList list = SplitJpegFile(source);
        CSegmentReader reader;
        FilterFileContext context{list, reader, source,
                                  destination.empty() ? dir.File("out.jpg") : destination,
                                  settings};
        Run run;
        run.result = ApplyFilters(context, options);
        if (std::filesystem::is_regular_file(context.destinationPath))
            run.output = TempDir::Read(context.destinationPath);
        run.width = context.width;
        run.height = context.height;
        run.writtenSize = context.writtenSize;
        return run;
    }

    // Filters and checks that the pixels did not change.
    std::string FilterKeepingPixels(const std::string& jpeg, const BulkFltOptions& options) {
        Run run = Filter(jpeg, options);
        EXPECT_EQ(run.result, 1);
        EXPECT_TRUE(DecodeJpeg(jpeg).ok);
        EXPECT_EQ(DecodeJpeg(run.output), DecodeJpeg(jpeg));
        return run.output;
    }

    TempDir dir;
    SettingsStore settings;
};

} // namespace

TEST_F(LosslessFilter, ThumbnailJfxxAppAndComSegments) {
    TestJpegRecipe recipe;
    recipe.jfif = false;
    const std::string thumbnailed("JFIF\0\1\2\1\0\x60\0\x60\2\1"
                                  "abcdef",
                                  20);
    recipe.markers = {{0xE0, thumbnailed},   {0xE0, std::string("JFXX\0\x10", 6) + "xyz"},
                      {0xE0, "AB"},          {0xE1, "http://ns.adobe.com/xap/1.0/\0<x/>"},
                      {0xE2, "ICC_PROFILE"}, {0xE3, "three"},
                      {0xFE, "comment"}};
    const std::string jpeg = EncodeTestJpeg(recipe);
    const std::string before = Layout(dir, jpeg);
    EXPECT_EQ(before.substr(0, 64),
              "D8 E0:24 E0:13 E0:6 E1:32 E2:15 E3:9 FE:11 DB:69 DB:69 C0:19 C4:");

    EXPECT_EQ(Filter(jpeg, AllOff()).output, jpeg);

    BulkFltOptions options = AllOff();
    options.removeThumb = options.removeJfxx = options.removeCom = options.removeAppX = 1;
    options.removeApp[1] = 0; // APP2 stays
    const std::string output = FilterKeepingPixels(jpeg, options);
    EXPECT_EQ(Layout(dir, output).substr(0, 31), "D8 E0:18 E0:6 E2:15 DB:69 DB:69");
    EXPECT_EQ(output.substr(2, 18), std::string("\xFF\xE0\0\x10JFIF\0\1\2\1\0\x60\0\x60\0\0", 18));

    // A JFIF header without thumbnail is kept as it is.
    recipe.markers = {{0xE0, std::string("JFIF\0\1\1\0\0\1\0\1\0\0", 14)}};
    const std::string plain = EncodeTestJpeg(recipe);
    EXPECT_EQ(Filter(plain, options).output, plain);
}

TEST_F(LosslessFilter, UnitesTablesScanByScan) {
    TestJpegRecipe recipe;
    const std::string baseline = EncodeTestJpeg(recipe);
    BulkFltOptions options = AllOff();
    options.uniteDqt = options.uniteDht = 1;
    const std::string united = FilterKeepingPixels(baseline, options);
    EXPECT_EQ(Layout(dir, united), "D8 E0:18 DB:134 C0:19 C4:420 DA:14 D9");
    // The united DQT holds both payloads in order, where the first DQT stood.
    const std::string dqts = baseline.substr(20, 2 * 69);
    EXPECT_EQ(united.substr(20, 4), std::string("\xFF\xDB\0\x84", 4));
    EXPECT_EQ(united.substr(24, 65), dqts.substr(4, 65));
    EXPECT_EQ(united.substr(24 + 65, 65), dqts.substr(69 + 4, 65));

    recipe.progressive = true;
    const std::string progressive = EncodeTestJpeg(recipe);
    const std::string before = Layout(dir, progressive);
    const std::string after = Layout(dir, FilterKeepingPixels(progressive, options));
    EXPECT_EQ(after.substr(0, 25), "D8 E0:18 DB:134 C2:19 C4:") << after;
    // Every scan keeps its own tables: one DHT before each scan that had any.
    EXPECT_EQ(TablesPerScan(after), "1 1 1 1 1 1 0 1 1 1") << after;
    EXPECT_EQ(TablesPerScan(before), "2 1 1 1 1 1 0 1 1 1") << before;

    // A single table segment per group is written unchanged.
    EXPECT_EQ(Filter(united, options).output, united);
}

TEST_F(LosslessFilter, TablesAreJoinedOnlyWithinTheirScanAndSegmentLimit) {
    auto segment = [](int code, size_t payload, char fill) {
        const size_t length = payload + 2;
        return std::string{'\xFF', char(code), char(length >> 8), char(length & 0xFF)} +
               std::string(payload, fill);
    };
    const std::string scan = std::string("\xFF\xDA\x00\x02\x12\x34", 6);
    const std::string jpeg = "\xFF\xD8" + segment(0xDB, 3, 'a') + segment(0xDB, 4, 'b') + scan +
                             segment(0xDB, 5, 'c') + segment(0xC4, 40000, 'd') +
                             segment(0xC4, 30000, 'e') + scan + segment(0xDB, 6, 'f') +
                             segment(0xC4, 7, 'g') + "\xFF\xD9";
    BulkFltOptions options = AllOff();
    options.uniteDqt = options.uniteDht = 1;
    const std::string output = Filter(jpeg, options).output;
    EXPECT_EQ(Layout(dir, output), "D8 DB:11 DA:4 DB:9 C4:40004 C4:30004 DA:4 DB:10 C4:11 D9");
    EXPECT_EQ(output.substr(6, 7), "aaabbbb");
}

// In a damaged file a segment may be followed by bytes that are no marker. Such a segment
// stays: removed, the 0xFF fill byte before it would make a marker of the stray bytes.
TEST_F(LosslessFilter, SegmentsBeforeStrayBytesStay) {
    const std::string com = std::string("\xFF\xFE\x00\x03x", 5);
    const std::string stray = std::string("\xC4\x00\x05\x01\x02", 5);
    const std::string jpeg = "\xFF\xD8\xFF" + com + stray + com + JpegAround("").substr(2);
    BulkFltOptions options = AllOff();
    options.removeCom = 1;
    const std::string output = Filter(jpeg, options).output;
    EXPECT_EQ(output, "\xFF\xD8\xFF" + com + stray + JpegAround("").substr(2));

    // Nor does Exif to JFIF take away a JFIF header before stray bytes: it converts nothing.
    const std::string jfif("\xFF\xE0\0\x10JFIF\0\1\1\0\0\1\0\1\0\0", 18);
    const std::string exif = ExifPayload(TiffBuilder(true).Ascii(kIfd0, 271, "Maker"));
    const std::string app1 = "\xFF\xE1" + std::string{0, char(exif.size() + 2)} + exif;
    const std::string damaged =
        "\xFF\xD8\xFF" + jfif + "\xE9\xEA" + app1 + JpegAround("").substr(2);
    options = AllOff();
    options.convertExif = options.exifGenCmt = 1;
    EXPECT_EQ(Filter(damaged, options).output, damaged);
    const std::string sound = "\xFF\xD8\xFF" + jfif + app1 + JpegAround("").substr(2);
    EXPECT_NE(Filter(sound, options).output, sound);
}

TEST_F(LosslessFilter, ReportsSizeOfFirstBaselineOrProgressiveFrame) {
    TestJpegRecipe recipe;
    recipe.width = 33;
    recipe.height = 7;
    Run run = Filter(EncodeTestJpeg(recipe), AllOff());
    EXPECT_EQ(run.width, 33);
    EXPECT_EQ(run.height, 7);
    EXPECT_EQ(run.writtenSize, run.output.size());

    // Without SOF0 or SOF2 the width and height stay as they were.
    SegmentList list = SplitJpegFile(dir.Write("nosof.jpg", JpegAround("")));
    CSegmentReader reader;
    FilterFileContext context{list, reader, dir.File("nosof.jpg"), dir.File("x.jpg"), settings};
    context.width = 5;
    context.height = 6;
    EXPECT_EQ(ApplyFilters(context, AllOff()), 1);
    EXPECT_EQ(context.width, 5);
    EXPECT_EQ(context.height, 6);
}

TEST_F(LosslessFilter, ExifBecomesJfifWithGeneratedComment) {
    TiffBuilder exif(false);
    exif.Ascii(kIfd0, 271, "Canon").Ascii(kIfd0, 272, "EOS 40D");
    exif.Rational(kIfd0, 282, 300, 1).Rational(kIfd0, 283, 350, 2);
    exif.Ascii(kIfd0, 306, "2008:05:30 15:56:01");
    exif.Rational(kExif, 0x920A, 135, 1).Rational(kExif, 0x829D, 71, 10);
    exif.Short(kExif, 0x8822, 2).Short(kExif, 0x9207, 5);
    exif.Rational(kExif, 0x829A, 1, 160).Short(kExif, 0x8827, 100);
    exif.Undefined(kExif, kTagUserComment, std::string("ASCII\0\0\0Hello  \0\0\0\0", 20));
    TestJpegRecipe recipe;
    recipe.jfif = false;
    recipe.markers = {{0xE1, ExifPayload(exif)}, {0xFE, "old"}};
    const std::string jpeg = EncodeTestJpeg(recipe);

    BulkFltOptions options = AllOff();
    options.convertExif = options.exifGenCmt = options.exifGenEng = options.exifUserCmt = 1;
    options.removeCom = 1;
    const std::string output = FilterKeepingPixels(jpeg, options);
    const std::string jfif("\xFF\xE0\0\x10JFIF\0\1\1\1\x01\x2C\0\xAF\0\0", 18);
    EXPECT_EQ(output.substr(2, 18), jfif);
    EXPECT_EQ(FirstPayload(dir, output, 0xFE),
              "Canon EOS 40D\r\nL=135.0mm F=7.1\r\n2008:05:30 15:56:01\r\n"
              "Exposure=Program-AE Metering=Multi-seg.\r\n1/160sec ISO=100\r\n\r\nHello");
    EXPECT_EQ(Layout(dir, output).substr(0, 18), "D8 E0:18 FE:123 DB");

    // Japanese exposure mode line; no user comment: the text ends with the last line's CR LF.
    options.exifGenEng = options.exifUserCmt = 0;
    const std::string japanese = FirstPayload(dir, Filter(jpeg, options).output, 0xFE);
    EXPECT_EQ(FromShiftJis(japanese.data(), kCharsetUtf8, int(japanese.size())),
              "Canon EOS 40D\r\nL=135.0mm F=7.1\r\n2008:05:30 15:56:01\r\n"
              "露出=プログラムAE 測光=マルチセグメント\r\n1/160sec ISO=100\r\n");

    // Neither summary nor a user comment: only the APP0.
    options.exifGenCmt = 0;
    EXPECT_EQ(Layout(dir, Filter(jpeg, options).output).substr(0, 12), "D8 E0:18 DB:");
}

TEST_F(LosslessFilter, ExifConversionNeedsAParsedExifBlockFirst) {
    TiffBuilder exif(true);
    exif.Ascii(kIfd0, 271, "Maker");
    TestJpegRecipe recipe;
    recipe.markers = {{0xE1, "http://ns.adobe.com/xap/1.0/\0<x/>"}, {0xE1, ExifPayload(exif)}};
    BulkFltOptions options = AllOff();
    options.convertExif = options.exifGenCmt = 1;
    const std::string xmpFirst = EncodeTestJpeg(recipe);
    EXPECT_EQ(Filter(xmpFirst, options).output, xmpFirst);

    recipe.markers = {{0xE1, std::string("Exif\0\0MM\0\x2A\0\0\0\x40", 14)}};
    const std::string broken = EncodeTestJpeg(recipe);
    EXPECT_EQ(Filter(broken, options).output, broken);

    // Without resolution tags the density is 72 x 72; APP1 removal does not stop it.
    recipe.jfif = false;
    recipe.markers = {{0xE1, ExifPayload(exif)}};
    options.removeAppX = 1;
    const std::string output = Filter(EncodeTestJpeg(recipe), options).output;
    EXPECT_EQ(output.substr(2, 18), std::string("\xFF\xE0\0\x10JFIF\0\1\1\1\0\x48\0\x48\0\0", 18));
    EXPECT_EQ(FirstPayload(dir, output, 0xFE), "Maker\r\n");
}

TEST_F(LosslessFilter, UserCommentIsWrittenInTheChosenCode) {
    auto commentOf = [&](const std::string& stored) {
        TiffBuilder exif(false);
        exif.Undefined(kExif, kTagUserComment, stored);
        TestJpegRecipe recipe;
        recipe.markers = {{0xE1, ExifPayload(exif)}};
        BulkFltOptions options = AllOff();
        options.convertExif = options.exifUserCmt = 1;
        return FirstPayload(dir, Filter(EncodeTestJpeg(recipe), options).output, 0xFE);
    };
    const std::string jis = "\x1B$B$\"\x1B(B"; // hiragana a
    EXPECT_EQ(commentOf(std::string("JIS\0\0\0\0\0", 8) + jis), jis);
    EXPECT_EQ(commentOf(std::string("UNICODE\0", 8) + "\x42\x30\0\0\0\0"), "\x82\xA0");
    EXPECT_EQ(commentOf(std::string("\0\0\0\0\0\0\0\0", 8) + "\xA4\xA2"), "\xA4\xA2");
    EXPECT_EQ(commentOf(std::string("ASCII\0\0\0", 8) + std::string(12, '\0')), "");

    settings.autoWriteCharset = 0;
    settings.writeCharset = kCharsetEucJp;
    EXPECT_EQ(commentOf(std::string("JIS\0\0\0\0\0", 8) + jis), "\xA4\xA2");
    settings.writeCharset = kCharsetShiftJis;
    EXPECT_EQ(commentOf(std::string("\0\0\0\0\0\0\0\0", 8) + "\xE3\x81\x82"), "\x82\xA0");
}

// A comment longer than a COM segment holds is cut at a character boundary: the camera line
// here views 40,000 bytes of the user comment's Shift_JIS text.
TEST_F(LosslessFilter, OverlongCommentIsCutAtACharacter) {
    std::string text;
    for (int i = 0; i < 30000; ++i)
        text += "\x83\x41";
    TiffBuilder builder(false);
    builder.Ascii(kIfd0, 271, "make");
    builder.Undefined(kExif, kTagUserComment, std::string(8, '\0') + text);
    std::vector<uint8_t> block = builder.Build();
    const std::string blockText(block.begin(), block.end());
    const size_t textAt = blockText.find("\x83\x41");
    builder.PutU32(block, 14, 40000); // Make: count, then offset
    builder.PutU32(block, 18, static_cast<uint32_t>(textAt));
    TestJpegRecipe recipe;
    recipe.markers = {{0xE1, std::string("Exif\0\0", 6) + std::string(block.begin(), block.end())}};
    BulkFltOptions options = AllOff();
    options.convertExif = options.exifGenCmt = options.exifUserCmt = 1;
    const std::string comment =
        FirstPayload(dir, Filter(EncodeTestJpeg(recipe), options).output, 0xFE);
    ASSERT_EQ(comment.size(), 65532u);
    EXPECT_EQ(comment.substr(0, 40004), text.substr(0, 40000) + "\r\n\r\n");
    EXPECT_EQ(comment.substr(40004), text.substr(0, 65528 - 40000));
}

TEST(CommentCut, EndsOnACharacterBoundary) {
    EXPECT_EQ(CutCommentText("abc", kCharsetShiftJis, 5), "abc");
    EXPECT_EQ(CutCommentText("a\x82\xA0\x82\xA0", kCharsetShiftJis, 4), "a\x82\xA0");
    EXPECT_EQ(CutCommentText("a\xB1\x82\xA0", kCharsetShiftJis, 3), "a\xB1");
    EXPECT_EQ(CutCommentText("a\xE3\x81\x82", kCharsetUtf8, 3), "a");
    EXPECT_EQ(CutCommentText("\xA4\xA2\x8E\xB1", kCharsetEucJp, 3), "\xA4\xA2");
    EXPECT_EQ(CutCommentText("\xA4\xA2\x8F\xB0\xA1z", kCharsetEucJp, 4), "\xA4\xA2");
    EXPECT_EQ(CutCommentText("\xA4\xA2\x8F\xB0\xA1z", kCharsetEucJp, 5), "\xA4\xA2\x8F\xB0\xA1");
    EXPECT_EQ(CutCommentText("a\xE3\x81\x82\xE3\x81\x82", kCharsetUtf8, 6), "a\xE3\x81\x82");
    EXPECT_EQ(CutCommentText("a\x82\xA0\x82\xA0", kCharsetUcs2, 4),
              "a\x82\xA0"); // held as Shift_JIS
    EXPECT_EQ(CutCommentText("abcdef", kCharsetAscii, 4), "abcd");
    // ISO-2022-JP cut inside a two-byte run is closed with the escape to one-byte mode.
    const std::string jis = "x\x1B$B$\"$\"$\"\x1B(By";
    EXPECT_EQ(CutCommentText(jis, kCharsetIso2022Jp, 10), "x\x1B$B$\"\x1B(J");
    EXPECT_EQ(CutCommentText(jis, kCharsetIso2022Jp, 6), "x");
    EXPECT_EQ(CutCommentText(jis, kCharsetIso2022Jp, 13), "x\x1B$B$\"$\"$\"\x1B(B");
}

// Segments that decide the colour space are kept: an Adobe APP14 with the YCCK transform, and
// the missing JFIF header of an RGB frame (Exif conversion would add one).
TEST_F(LosslessFilter, ColourSpaceOfTheFrameIsKept) {
    BulkFltOptions options; // the defaults: every APPn removed
    options.convertExif = 1;
    TiffBuilder exif(false);
    exif.Ascii(kIfd0, 271, "Maker");
    TestJpegRecipe recipe;
    recipe.jfif = false;
    recipe.markers = {{0xE1, ExifPayload(exif)}};
    recipe.stored = JCS_YCCK;
    EXPECT_NE(Layout(dir, FilterKeepingPixels(EncodeTestJpeg(recipe), options)).find("EE:16"),
              std::string::npos);
    recipe.stored = JCS_RGB;
    const std::string rgb = FilterKeepingPixels(EncodeTestJpeg(recipe), options);
    EXPECT_EQ(Layout(dir, rgb).find("E0:"), std::string::npos);
    // A YCbCr frame loses its Adobe segment.
    recipe.stored = JCS_YCbCr;
    recipe.markers = {{0xEE, std::string("Adobe\0\x64\0\0\0\0\1", 12)}};
    EXPECT_EQ(Layout(dir, FilterKeepingPixels(EncodeTestJpeg(recipe), options)).find("EE:"),
              std::string::npos);
}

TEST_F(LosslessFilter, InPlaceLeavesNoTemporaryFile) {
    TestJpegRecipe recipe;
    recipe.markers = {{0xFE, "comment"}};
    const std::string jpeg = EncodeTestJpeg(recipe);
    BulkFltOptions options = AllOff();
    options.removeCom = 1;
    TempDir temporary;
    settings.tempDir = temporary.Path();
    const Run run = Filter(jpeg, options, dir.File("source.jpg"));
    EXPECT_EQ(run.result, 1);
    EXPECT_EQ(run.output.size(), jpeg.size() - 11);
    EXPECT_EQ(run.writtenSize, run.output.size());
    EXPECT_TRUE(std::filesystem::is_empty(temporary.Path()));
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        ++files;
    EXPECT_EQ(files, 1); // source.jpg alone
}

// The batch job logs the failure; see FilterTask.FailedFilesAreLoggedAndLoseNothing.
TEST_F(LosslessFilter, FailedWriteKeepsTheDestination) {
    const std::string jpeg = EncodeTestJpeg(TestJpegRecipe{});
    const std::string missing = dir.File("no/such/dir/out.jpg");
    EXPECT_EQ(Filter(jpeg, BulkFltOptions{}, missing).result, 0);
    EXPECT_FALSE(std::filesystem::exists(missing));
    // A destination that is a directory.
    std::filesystem::create_directory(dir.File("taken.jpg"));
    EXPECT_EQ(Filter(jpeg, BulkFltOptions{}, dir.File("taken.jpg")).result, 0);
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("taken.jpg")));
    // An in-place rewrite whose temporary directory is gone leaves the source as it was.
    settings.tempDir = dir.File("gone");
    EXPECT_EQ(Filter(jpeg, BulkFltOptions{}, dir.File("source.jpg")).result, 0);
    EXPECT_EQ(TempDir::Read(dir.File("source.jpg")), jpeg);
}

#include "jpegtools/ExifSummary.h"
#include "jpegtools/Charset.h"
#include "jpegtools/ExifReader.h"
#include "support/ExifFixture.h"
#include "support/TiffBuilder.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using Lines = std::array<std::string, 5>;
using Fill = std::function<void(TiffBuilder&)>;

Lines Utf8Lines(const CExifReader& reader, int language) {
    Lines lines = ExifSummaryLines(reader, language);
    for (std::string& line : lines)
        line = FromShiftJis(line.data(), kCharsetUtf8, static_cast<int>(line.size()));
    return lines;
}

// The lines (in UTF-8) of a block built by `fill` in the given byte order.
Lines LinesOf(const Fill& fill, bool bigEndian = false, int language = kSummaryEnglish) {
    TiffBuilder builder(bigEndian);
    fill(builder);
    const std::vector<uint8_t> block = builder.Build();
    CExifReader reader;
    reader.ParseExifBlock(block.data(), block.size());
    return Utf8Lines(reader, language);
}

Lines LinesOfFile(const std::string& name, int language = kSummaryJapanese) {
    const std::vector<uint8_t> block = ExifBlockOf(name);
    CExifReader reader;
    EXPECT_GT(reader.ParseExifBlock(block.data(), block.size()), 0) << name;
    return Utf8Lines(reader, language);
}

constexpr auto kIfd0 = TiffBuilder::kIfd0;
constexpr auto kExif = TiffBuilder::kExif;

} // namespace

TEST(ExifSummary, OpticsLine) {
    EXPECT_EQ(LinesOf([](TiffBuilder& b) {
                  b.Rational(kExif, 0x920A, 58, 10).Rational(kExif, 0x829D, 28, 10);
                  b.SRational(kExif, 0x9206, 15, 4);
              })[1],
              "L=5.8mm F=2.8 D=3.8m");
    // Without FNumber, MaxApertureValue 3: √2³ = 2.83.
    EXPECT_EQ(LinesOf([](TiffBuilder& b) { b.Rational(kExif, 0x9205, 3, 1); })[1], "F=2.8");
    EXPECT_EQ(LinesOf([](TiffBuilder& b) { b.SRational(kExif, 0x9206, 1, 0); })[1], "D=omega");
    EXPECT_EQ(LinesOf([](TiffBuilder& b) { b.SRational(kExif, 0x9206, -1, 1); })[1], "D=-1.0m");
}

TEST(ExifSummary, ExposureLine) {
    const auto exposure = [](uint32_t numerator, uint32_t denominator) {
        return LinesOf(
            [=](TiffBuilder& b) { b.Rational(kExif, 0x829A, numerator, denominator); })[4];
    };
    EXPECT_EQ(exposure(1, 250), "1/250sec");
    EXPECT_EQ(exposure(2, 1), "2.0sec");
    EXPECT_EQ(exposure(1, 1), "1.0sec");
    EXPECT_EQ(exposure(0, 1), "");  // no meaningful shutter text
    EXPECT_EQ(exposure(10, 0), ""); // nor for an endless rate
    const auto shutter = [](int32_t numerator, int32_t denominator) {
        return LinesOf([=](TiffBuilder& b) {
            b.SRational(kExif, 0x9201, numerator, denominator).Rational(kExif, 0x829A, 1, 8);
        })[4];
    };
    EXPECT_EQ(shutter(69, 10), "1/119sec"); // 2^6.9 = 119.4, preferred to ExposureTime
    EXPECT_EQ(shutter(-1, 1), "2.0sec");
    EXPECT_EQ(shutter(INT32_MAX, 1), "");
    EXPECT_EQ(shutter(40, 1), "1/2147483647sec");

    EXPECT_EQ(LinesOf([](TiffBuilder& b) {
                  b.Rational(kExif, 0x829A, 1, 60).Rational(kExif, 0x9202, 3, 1);
                  b.SRational(kExif, 0x9204, -1, 3).Short(kExif, 0x8827, 400);
                  b.Short(kExif, 0x9209, 0x19);
              })[4],
              "1/60sec F=2.8 EV=-0.33 ISO=400 +F");
    EXPECT_EQ(LinesOf([](TiffBuilder& b) {
                  b.SRational(kExif, 0x9204, 0, 1).Short(kExif, 0x9209, 0);
              })[4],
              "EV=+0.00");
    EXPECT_EQ(LinesOf([](TiffBuilder& b) { b.Short(kExif, 0x9209, 1); })[4], " +F");
}

TEST(ExifSummary, ExposureModeLineInBothLanguages) {
    const auto modes = [](uint16_t program, uint16_t metering, int language) {
        return LinesOf(
            [=](TiffBuilder& b) { b.Short(kExif, 0x8822, program).Short(kExif, 0x9207, metering); },
            false, language)[3];
    };
    EXPECT_EQ(modes(2, 5, kSummaryEnglish), "Exposure=Program-AE Metering=Multi-seg.");
    EXPECT_EQ(modes(2, 5, kSummaryJapanese), "露出=プログラムAE 測光=マルチセグメント");
    EXPECT_EQ(modes(8, 255, kSummaryEnglish), "Exposure=Landscape Metering=(Other)(255)");
    EXPECT_EQ(modes(9, 6, kSummaryJapanese), "露出=(その他)(9) 測光=部分");
    EXPECT_EQ(modes(0, 0, kSummaryJapanese), "露出=(不明) 測光=(不明)");
}

TEST(ExifSummary, CameraAndDateLines) {
    const Fill fill = [](TiffBuilder& b) {
        b.Ascii(kIfd0, 271, "Maker  ").Ascii(kIfd0, 272, "Model X\r\n");
        b.Ascii(kIfd0, 306, "2001:02:03 04:05:06");
    };
    Lines lines = LinesOf(fill);
    EXPECT_EQ(lines[0], "Maker Model X");
    EXPECT_EQ(lines[2], "2001:02:03 04:05:06");
    lines = LinesOf([&](TiffBuilder& b) {
        fill(b);
        b.Ascii(kExif, 0x9003, "1999:12:31 23:59:59");
    });
    EXPECT_EQ(lines[2], "1999:12:31 23:59:59");

    CExifReader empty;
    std::string line = "old";
    EXPECT_FALSE(CameraLine(empty, line));
    EXPECT_EQ(line, "");
    EXPECT_EQ(ExifSummaryLines(empty, kSummaryJapanese), Lines{});
}

TEST(ExifSummary, ByteOrderDoesNotMatter) {
    const Fill fill = [](TiffBuilder& b) {
        b.Ascii(kIfd0, 271, "Maker").Ascii(kIfd0, 272, "M").Rational(kExif, 0x920A, 50, 1);
        b.Rational(kExif, 0x829D, 56, 10).Ascii(kExif, 0x9003, "2020:01:01 00:00:00");
        b.Short(kExif, 0x8822, 3).Short(kExif, 0x9207, 2).SRational(kExif, 0x9201, 7, 1);
        b.Rational(kExif, 0x9202, 5, 1).SRational(kExif, 0x9204, 2, 3).Short(kExif, 0x8827, 80);
    };
    const Lines little = LinesOf(fill, false);
    EXPECT_EQ(little,
              (Lines{"Maker M", "L=50.0mm F=5.6", "2020:01:01 00:00:00",
                     "Exposure=Aperture Metering=Center-w.", "1/128sec F=5.7 EV=+0.67 ISO=80"}));
    EXPECT_EQ(LinesOf(fill, true), little);
}

TEST(ExifSummary, CameraFiles) {
    // Checked by hand against the tags: Canon ShutterSpeedValue 483328/65536 = 7.375 gives
    // 2^7.375 = 165.998, cut to 165 (its ExposureTime says 1/160); ApertureValue 5.625 gives
    // √2^5.625 = 7.02. Fujifilm ShutterSpeedValue 6.3 gives 78.8, ApertureValue 3.1 F=2.9.
    const Lines canon = {"Canon Canon EOS 40D", "L=135.0mm F=7.1", "2008:05:30 15:56:01",
                         "露出=マニュアル 測光=マルチセグメント",
                         "1/165sec F=7.0 EV=+0.00 ISO=100 +F"};
    EXPECT_EQ(LinesOfFile("canon_40d.jpg"), canon);
    EXPECT_EQ(LinesOfFile("canon_40d_mm.jpg"), canon);
    EXPECT_EQ(
        LinesOfFile("fujifilm_finepix_e500.jpg", kSummaryEnglish),
        (Lines{"FUJIFILM FinePix E500", "L=4.7mm F=2.9", "2006:08:17 09:24:48",
               "Exposure=Program-AE Metering=Multi-seg.", "1/78sec F=2.9 EV=+0.00 ISO=100 +F"}));
}

// markers: the inspector's tree of JPEG and PNG files as text.
#include "support/RunCli.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

const std::string kMarkersDir = std::string(TEST_DATA_DIR) + "/markers/";

std::string Env(const TempDir& config) {
    return "XDG_CONFIG_HOME=" + config.Path();
}

std::string Markers(const std::string& file, const TempDir& config) {
    CliResult result = RunCli({"markers", kMarkersDir + file}, Env(config));
    EXPECT_EQ(result.status, 0) << result.err;
    return result.out;
}

// clang-format off
const char* const kTestorigTree =
    "SOI   (Start of image)(2)\n"
    "APP0(18)\n"
    "  JFIF1.1\n"
    "   X:Y=1:1\n"
    "   Thumb=0x0\n"
    "DQT   (Quantization table)(69)\n"
    "  Precision=0(8bit) Table ID=0\n"
    "   QT data(64)\n"
    "DQT   (Quantization table)(69)\n"
    "  Precision=0(8bit) Table ID=1\n"
    "   QT data(64)\n"
    "SOF0  (Baseline DCT/Huffman)(19)\n"
    "  Precision=8bit\n"
    "  Rows=149\n"
    "  Columns=227\n"
    "  Number of components=3\n"
    "  Component #1\n"
    "    H:V=(2:2)\n"
    "    Quantization Table ID=0\n"
    "  Component #2\n"
    "    H:V=(1:1)\n"
    "    Quantization Table ID=1\n"
    "  Component #3\n"
    "    H:V=(1:1)\n"
    "    Quantization Table ID=1\n"
    "DHT   (Huffman table)(33)\n"
    "  Class=0(DC) Index=0\n"
    "   HT data(28)\n"
    "DHT   (Huffman table)(183)\n"
    "  Class=1(AC) Index=0\n"
    "   HT data(178)\n"
    "DHT   (Huffman table)(33)\n"
    "  Class=0(DC) Index=1\n"
    "   HT data(28)\n"
    "DHT   (Huffman table)(183)\n"
    "  Class=1(AC) Index=1\n"
    "   HT data(178)\n"
    "SOS   (Start of scan)(14)\n"
    "  Components=3\n"
    "  Component #1\n"
    "    Coding table (DC=0 AC=0)\n"
    "  Component #2\n"
    "    Coding table (DC=1 AC=1)\n"
    "  Component #3\n"
    "    Coding table (DC=1 AC=1)\n"
    "  Spectral selection Ss-Se(0-63)\n"
    "  Spectral selection Ah-Al(0-0)\n"
    "Scan data(5145)\n"
    "EOI   (End of image)(2)\n";
// clang-format on

} // namespace

TEST(CliMarkers, JpegTree) {
    TempDir config;
    EXPECT_EQ(Markers("testorig.jpg", config), kTestorigTree);
}

TEST(CliMarkers, PngChunkFields) {
    TempDir config;
    const struct {
        const char* file;
        const char* lines;
    } cases[] = {
        {"bgan6a08.png", "IHDR(13)\n  Width=32\n  Height=32\n  BitDepth=8\n"
                         "  ColorType=6(TrueColor with Alpha)\n  Compression=0(Deflate)\n"
                         "  Filter=0(PNG)\n  Interlace=0(none)\n  CRC=0x737a7af4\n"
                         "gAMA(4)\n  Gamma=1.00\n  CRC=0x31e8965f\nIDATA(111)\n"},
        {"tbbn3p08.png", "PLTE(738)\n  CRC=0xce61fb16\ntRNS(1)\n  Transparent Idx(0)\n"
                         "  CRC=0x40e6d866\nbKGD(1)\n  Background=Idx(245)\n"},
        {"tbrn2c08.png", "  Transparent RGB(255.255.255)\n  CRC=0x37581b7d\nbKGD(6)\n"
                         "  Background=RGB(255.0.0)\n"},
        {"cdun2c08.png", "sBIT(3)\n  SigBits RGB=(4 4 4)\n  CRC=0x77f8b5a3\npHYs(9)\n"
                         "  Dimension X=1000(pix/m) (25 dpi)\n"
                         "  Dimension Y=1000(pix/m) (25 dpi)\n"},
        {"cm0n0g04.png", "tIME(7)\n  LastModified=2000/1/1 12:34:56\n"},
        {"ccwn2c08.png", "  Chromaticity(White) x=0.31270 y=0.32900\n"
                         "  Chromaticity(Red  ) x=0.64000 y=0.33000\n"},
        {"palette-4-sRGB-tRNS.png", "sRGB(1)\n  Rendering intent=3(Absolute colorimetric)\n"},
    };
    for (const auto& c : cases)
        EXPECT_NE(Markers(c.file, config).find(c.lines), std::string::npos) << c.file;
    EXPECT_NE(Markers("cm0n0g04.png", config).find("IDATA(200)\nIEND(0)\n  CRC=0xae426082\n"),
              std::string::npos);
}

TEST(CliMarkers, CommentInUtf8AndHexLines) {
    TempDir config;
    const std::string comment = "\x93\xfa\x96\x7b\r\n\x8c\xea"; // Shift_JIS, two lines
    std::string jpeg = std::string("\xFF\xD8\xFF\xFE\x00", 5) + char(comment.size() + 2) + comment;
    jpeg += "\xFF\xD9";
    CliResult result = RunCli({"markers", "--hex", config.Write("comment.jpg", jpeg)}, Env(config));
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "SOI   (Start of image)(2)\n  ff d8\n"
                          "COM   (Comment)(12)\n  ff fe 00 0a 93 fa 96 7b 0d 0a 8c ea\n"
                          "  (shift_jis) 日本  語\n"
                          "EOI   (End of image)(2)\n  ff d9\n");
}

TEST(CliMarkers, FailuresAndUsage) {
    TempDir config;
    CliResult missing = RunCli({"markers", config.File("absent.jpg")}, Env(config));
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "tolmena-cli: " + config.File("absent.jpg") +
                               ": JpegMarker:Cannot open the file (No such file or directory)\n");
    CliResult notPng =
        RunCli({"markers", config.Write("fake.png", "\xFF\xD8\xFF\xD9")}, Env(config));
    EXPECT_EQ(notPng.status, 0);
    EXPECT_EQ(notPng.out, "");
    EXPECT_EQ(RunCli({"markers"}, Env(config)).status, 2);
}

// Several files: each line starts with its path; a file that fails is reported and the others
// are still shown, exit 1.
TEST(CliMarkers, ManyFiles) {
    TempDir config;
    const std::string comment =
        config.Write("c.jpg", std::string("\xFF\xD8\xFF\xFE\x00\x03x\xFF\xD9", 9));
    const std::string text = config.Write("text.jpg", "plain text");
    CliResult result = RunCli({"markers", comment, text, comment}, Env(config));
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "tolmena-cli: " + text + ": markers:not a JPEG or PNG file\n");
    const std::string tree = comment + ": SOI   (Start of image)(2)\n" + comment +
                             ": COM   (Comment)(5)\n" + comment + ":   (us-ascii) x\n" + comment +
                             ": EOI   (End of image)(2)\n";
    EXPECT_EQ(result.out, tree + tree);
    CliResult json = RunCli({"markers", "--json", comment, comment}, Env(config));
    EXPECT_EQ(json.status, 0);
    EXPECT_EQ(std::count(json.out.begin(), json.out.end(), '\n'), 2);
}

// describe, info and convert with PNG files, end to end.
#include "core/PngTestFiles.h"
#include "support/RunCli.h"

#include <gtest/gtest.h>

namespace {

const std::string kSuite = std::string(TEST_DATA_DIR) + "/png/pngsuite/";

std::string Env(const TempDir& config) {
    return "XDG_CONFIG_HOME=" + config.Path();
}

} // namespace

TEST(CliPng, DescribeAndInfo) {
    TempDir config;
    CliResult result = RunCli(
        {"describe", kSuite + "basn2c16.png", kSuite + "basi3p04.png", kSuite + "tbbn3p08.png"},
        Env(config));
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, kSuite + "basn2c16.png: 32x32 PNG(RGB 16bit) +G\n" + kSuite +
                              "basi3p04.png: 32x32 Int.PNG(Idx 4bit) +G\n" + kSuite +
                              "tbbn3p08.png: 32x32 PNG(Idx 8bit) +T +G\n");

    result = RunCli({"describe", kSuite + "xs1n0g01.png"}, Env(config));
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("tolmena-cli: " + kSuite +
                              "xs1n0g01.png: LoadPngFile:Error handler (Not a PNG file)\n"),
              std::string::npos)
        << result.err;

    result = RunCli({"info", kSuite + "ct1n0g04.png"}, Env(config));
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find("comment[Title]: PngSuite\n"), std::string::npos) << result.out;
}

TEST(CliPng, ConvertInEachSaveMode) {
    TempDir config, dir;
    const int colorTypes[] = {PNG_COLOR_TYPE_RGB, PNG_COLOR_TYPE_PALETTE, PNG_COLOR_TYPE_PALETTE,
                              PNG_COLOR_TYPE_GRAY, PNG_COLOR_TYPE_GRAY};
    const int bitDepths[] = {8, 8, 4, 8, 4};
    for (int mode = 0; mode < 5; ++mode) {
        const std::string out = dir.File("out" + std::to_string(mode) + ".png");
        CliResult result = RunCli({"--set", "pngSaveMode=" + std::to_string(mode), "convert", "-v",
                                   kSuite + "basn2c08.png", out},
                                  Env(config));
        ASSERT_EQ(result.status, 0) << result.err;
        ReadBackPng saved = ReadBackTestPng(out);
        ASSERT_TRUE(saved.ok);
        EXPECT_EQ(saved.colorType, colorTypes[mode]) << mode;
        EXPECT_EQ(saved.bitDepth, bitDepths[mode]) << mode;
        EXPECT_EQ(RunCli({"describe", out}, Env(config)).out, result.out) << mode;
    }
    CliResult result = RunCli({"--set", "bUseInterlaceOnSave=1", "--set", "UseWriteGammaValue=0",
                               "convert", "-v", kSuite + "basn2c08.png", dir.File("i.png")},
                              Env(config));
    EXPECT_EQ(result.out, "32x32 Int.PNG(RGB 8bit)\n");
}

// describe, info and convert over image documents, end to end.
#include "support/RunCli.h"

#include <gtest/gtest.h>

namespace {

const std::string kMag = std::string(TEST_DATA_DIR) + "/mag/testorig-16.mag";

std::string Env(const TempDir& config) {
    return "XDG_CONFIG_HOME=" + config.Path();
}

// A 4 x 3 raw RGB picture of distinct colours.
std::string WriteRgbPicture(const TempDir& dir, const std::string& name) {
    std::string data;
    for (int i = 0; i < 4 * 3 * 3; ++i)
        data += static_cast<char>(i * 7 + 1);
    dir.Write(name + ".fal", "F_ALL(V1.00)\r\n4 3 0 0\r\n1.00 255 255 255 0\r\n");
    return dir.Write(name + ".rgb", data);
}

} // namespace

TEST(CliImage, DescribeEachFile) {
    TempDir config, dir;
    const std::string rgb = WriteRgbPicture(dir, "pic");
    CliResult result = RunCli({"describe", rgb, kMag}, Env(config));
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, rgb + ": 4x3  RGB/Q0+FAL\n" + kMag + ": 640x400 MAKI02(4bit)\n");

    CliResult failed = RunCli({"describe", dir.File("a.gif"), rgb}, Env(config));
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.out, rgb + ": 4x3  RGB/Q0+FAL\n");
    EXPECT_EQ(failed.err, "tolmena-cli: " + dir.File("a.gif") +
                              ": LoadFile:Cannot open the file (No such file or directory)\n");
    EXPECT_EQ(RunCli({"describe"}, Env(config)).status, 2);
}

TEST(CliImage, InfoShowsSizeAndComments) {
    TempDir config, dir;
    const std::string rgb = WriteRgbPicture(dir, "pic");
    dir.Write("comment.txt", "line one\nline two\n");
    CliResult result = RunCli({"--set", "DefaultCommentPath=" + dir.File("comment.txt"), "--set",
                               "DefaultComment=1", "info", rgb, kMag},
                              Env(config));
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "path: " + rgb +
                              "\n"
                              "description: 4x3  RGB/Q0+FAL\n"
                              "size: 36 (36)\n"
                              "comment[Comment]*: line one\\nline two\n"
                              "charset: 3 shift_jis\n"
                              "\n"
                              "path: " +
                              kMag +
                              "\n"
                              "description: 640x400 MAKI02(4bit)\n"
                              "size: 25,548 (24.9K)\n"
                              "comment[Author]: PYTN tolmena" +
                              std::string(12, ' ') +
                              "\n"
                              "comment[Comment]*: test image 16 colours\n"
                              "charset: 3 shift_jis\n");
}

TEST(CliImage, ConvertRoundTripsRawRgbThroughBmp) {
    TempDir config, dir;
    const std::string rgb = WriteRgbPicture(dir, "pic");
    CliResult toBmp = RunCli({"convert", "-v", rgb, dir.File("pic.bmp")}, Env(config));
    ASSERT_EQ(toBmp.status, 0) << toBmp.err;
    EXPECT_EQ(toBmp.out, "4x3 Windows BMP(24bit)\n");
    CliResult back = RunCli({"convert", dir.File("pic.bmp"), dir.File("back.q0")}, Env(config));
    ASSERT_EQ(back.status, 0) << back.err;
    EXPECT_EQ(back.out, "");
    EXPECT_EQ(TempDir::Read(dir.File("back.q0")), TempDir::Read(rgb));
    EXPECT_EQ(TempDir::Read(dir.File("back.fal")), TempDir::Read(dir.File("pic.fal")));

    CliResult magToRgb = RunCli({"convert", kMag, dir.File("mag.rgb")}, Env(config));
    ASSERT_EQ(magToRgb.status, 0) << magToRgb.err;
    EXPECT_EQ(TempDir::Read(dir.File("mag.rgb")).size(), 640u * 400 * 3);
}

TEST(CliImage, ConvertFailuresKeepTheTarget) {
    TempDir config, dir;
    const std::string rgb = WriteRgbPicture(dir, "pic");
    const std::string target = dir.Write("out.rgb", "keep me");
    CliResult unknown = RunCli({"convert", rgb, dir.File("out.gif")}, Env(config));
    EXPECT_EQ(unknown.status, 1);
    EXPECT_EQ(unknown.err, "tolmena-cli: " + dir.File("out.gif") + ": convert:Unknown file type\n");

    CliResult missing = RunCli({"convert", dir.File("none.rgb"), target}, Env(config));
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "tolmena-cli: " + dir.File("none.fal") +
                               ": LoadRgbFile:Cannot open the file (No such file or directory)\n");

    // 640 x 400 x 3 bytes do not fit under a 64 KiB file size limit.
    CliResult tooBig =
        RunCli({"convert", kMag, target}, "ulimit -f 64; trap '' XFSZ; " + Env(config));
    EXPECT_EQ(tooBig.status, 1);
    EXPECT_EQ(tooBig.err, "tolmena-cli: " + target + ": SaveRgbFile:File too large\n");
    EXPECT_EQ(TempDir::Read(target), "keep me");
    EXPECT_EQ(RunCli({"convert", rgb}, Env(config)).status, 2);
}

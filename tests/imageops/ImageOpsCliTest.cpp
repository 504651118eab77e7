// resize, gamma and ycbcr of tolmena-cli, end to end over BMP files.
#include "core/DocFixture.h"
#include "support/RunCli.h"
#include "support/StandaloneContext.h"

namespace {

using CliImageOps = DocTest;
using Args = std::vector<std::string>;

std::string Env(const TempDir& config) {
    return "XDG_CONFIG_HOME=" + config.Path();
}

std::string WriteBmp(const TempDir& dir, const std::string& name, int width, int height) {
    CImageDoc document{StandaloneContext()};
    document.ReplaceImage(MakeImage(width, height, Gradient(width, height)));
    const std::string path = dir.File(name);
    EXPECT_TRUE(document.SaveFile(path));
    return path;
}

std::string Describe(const TempDir& config, const std::string& path) {
    return RunCli({"describe", path}, Env(config)).out;
}

} // namespace

TEST_F(CliImageOps, ResizeWritesTheScaledPicture) {
    TempDir config;
    const std::string in = WriteBmp(dir, "in.bmp", 6, 4);
    CliResult result = RunCli({"resize", in, dir.File("out.bmp"), "3x8"}, Env(config));
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(Describe(config, dir.File("out.bmp")), "3x8 Windows BMP(24bit)\n");

    // A side the scaler cannot make fails with its report, naming the file at hand.
    CliResult huge = RunCli({"resize", in, dir.File("huge.bmp"), "16777217x1"}, Env(config));
    EXPECT_EQ(huge.status, 1);
    EXPECT_EQ(huge.err, "tolmena-cli: " + in + ": Resize:Cannot make the bitmap\n");
    EXPECT_FALSE(std::filesystem::exists(dir.File("huge.bmp")));
    for (const char* size : {"3", "3x", "x8", "-3x8", "3x8x", "99999999999x1", "0x8"})
        EXPECT_EQ(RunCli({"resize", in, dir.File("bad.bmp"), size}, Env(config)).status, 2) << size;
}

TEST_F(CliImageOps, GammaChecksItsRangesLikeTheDialog) {
    TempDir config;
    const std::string in = WriteBmp(dir, "in.bmp", 3, 2);
    CliResult result = RunCli(
        {"gamma", in, dir.File("out.bmp"), "--gamma", "0.5", "--contrast", "-128", "--bias", "10"},
        Env(config));
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(Describe(config, dir.File("out.bmp")), "3x2 Windows BMP(24bit)\n");
    for (Args options : {Args{"--gamma", "5"}, Args{"--gamma", "0"}, Args{"--contrast", "256"},
                         Args{"--bias", "x"}, Args{"--bias"}}) {
        Args args = {"gamma", in, dir.File("bad.bmp")};
        args.insert(args.end(), options.begin(), options.end());
        EXPECT_EQ(RunCli(args, Env(config)).status, 2) << options[0];
    }
}

TEST_F(CliImageOps, YCbCrWritesThreeGreyBmps) {
    TempDir config;
    const std::string in = WriteBmp(dir, "in.bmp", 5, 3);
    const std::string base = dir.File("photo");
    CliResult result = RunCli({"ycbcr", in, base}, Env(config));
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, base + "[Y].bmp\n" + base + "[Cb].bmp\n" + base + "[Cr].bmp\n");
    for (const char* plane : {"[Y]", "[Cb]", "[Cr]"})
        EXPECT_EQ(Describe(config, base + plane + ".bmp"), "5x3 Windows BMP(8bit)\n") << plane;
}

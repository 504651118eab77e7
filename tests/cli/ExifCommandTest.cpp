#include "support/ExifFixture.h"
#include "support/RunCli.h"
#include "support/TiffBuilder.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

std::string Env(const TempDir& config) {
    return "XDG_CONFIG_HOME=" + config.Path();
}

} // namespace

TEST(CliExif, PrintsFiveLinesOfJpegAndTiff) {
    TempDir config;
    CliResult japanese = RunCli({"exif", ExifDataPath("canon_40d.jpg")}, Env(config));
    ASSERT_EQ(japanese.status, 0) << japanese.err;
    EXPECT_EQ(japanese.out, "Canon Canon EOS 40D\nL=135.0mm F=7.1\n2008:05:30 15:56:01\n"
                            "露出=マニュアル 測光=マルチセグメント\n"
                            "1/165sec F=7.0 EV=+0.00 ISO=100 +F\n");
    CliResult english =
        RunCli({"exif", "--english", ExifDataPath("canon_40d_mm.jpg")}, Env(config));
    EXPECT_EQ(english.out, "Canon Canon EOS 40D\nL=135.0mm F=7.1\n2008:05:30 15:56:01\n"
                           "Exposure=Manual Metering=Multi-seg.\n"
                           "1/165sec F=7.0 EV=+0.00 ISO=100 +F\n");

    // A TIFF file holding only a date: four empty lines around it.
    TiffBuilder builder(true);
    builder.Ascii(TiffBuilder::kIfd0, 306, "2001:02:03 04:05:06");
    const std::vector<uint8_t> tiff = builder.Build();
    const std::string path = config.Write("dated.TIF", std::string(tiff.begin(), tiff.end()));
    CliResult dated = RunCli({"exif", path}, Env(config));
    EXPECT_EQ(dated.status, 0) << dated.err;
    EXPECT_EQ(dated.out, "\n\n2001:02:03 04:05:06\n\n\n");
}

TEST(CliExif, FailuresAndUsage) {
    TempDir config;
    const std::string plain = config.Write("plain.jpg", JpegAround(""));
    CliResult none = RunCli({"exif", plain}, Env(config));
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.err, "tolmena-cli: " + plain + ": exif:No Exif data\n");
    const std::string text = config.Write("text.tif", "not a TIFF file");
    EXPECT_EQ(RunCli({"exif", text}, Env(config)).err,
              "tolmena-cli: " + text + ": exif:No Exif data\n");
    CliResult missing = RunCli({"exif", config.File("absent.tif")}, Env(config));
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "tolmena-cli: " + config.File("absent.tif") +
                               ": exif:Cannot open the file (No such file or directory)\n");
    EXPECT_EQ(RunCli({"exif", config.File("absent.jpg")}, Env(config)).status, 1);
    EXPECT_EQ(RunCli({"exif"}, Env(config)).status, 2);
}

// One rule for every file without a summary to show: its one line on stderr, exit 1; the other
// files are still shown, each line after its path.
TEST(CliExif, ManyFilesAndFilesWithoutExif) {
    TempDir dir;
    const std::string canon = ExifDataPath("canon_40d.jpg");
    const std::string png = dir.Write("picture.png", "\x89PNG\r\n\x1a\n");
    TiffBuilder builder(true);
    builder.Short(TiffBuilder::kIfd0, 256, 8).Short(TiffBuilder::kIfd0, 257, 8);
    const std::vector<uint8_t> tiff = builder.Build();
    const std::string scan = dir.Write("scan.tif", std::string(tiff.begin(), tiff.end()));
    CliResult result = RunCli({"exif", png, canon, scan, canon}, Env(dir));
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "tolmena-cli: " + png + ": exif:No Exif data\ntolmena-cli: " + scan +
                              ": exif:No Exif data\n");
    const std::string shown = canon + ": Canon Canon EOS 40D\n" + canon + ": L=135.0mm F=7.1\n";
    EXPECT_EQ(result.out.substr(0, shown.size()), shown);
    EXPECT_EQ(result.out.substr(result.out.size() / 2),
              result.out.substr(0, result.out.size() / 2));
    EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 10);

    CliResult json = RunCli({"exif", "--json", canon, png, canon}, Env(dir));
    EXPECT_EQ(json.status, 1);
    EXPECT_EQ(json.out.substr(0, json.out.find('\n') + 1),
              json.out.substr(json.out.find('\n') + 1));
    EXPECT_NE(json.out.find("\"path\":\"" + canon + "\""), std::string::npos);
}

TEST(CliExif, TheContentDecidesTheType) {
    TempDir config, dir;
    const std::string named = dir.File("photo.png"), bare = dir.File("photo"),
                      folder = dir.File("dir.jpg");
    std::filesystem::copy_file(ExifDataPath("canon_40d.jpg"), named);
    std::filesystem::copy_file(ExifDataPath("canon_40d.jpg"), bare);
    std::filesystem::create_directory(folder);
    CliResult result = RunCli({"exif", named, bare, folder}, Env(config));
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.out.find(named + ": Canon Canon EOS 40D\n"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find(bare + ": Canon Canon EOS 40D\n"), std::string::npos) << result.out;
    EXPECT_NE(result.err.find(folder + ": exif:"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("(is a folder)"), std::string::npos) << result.err;
}

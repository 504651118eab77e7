// JPEG and TIFF files through tolmena-cli: describe, info, convert and the jpeg command.
#include "support/JpegFixture.h"
#include "support/RunCli.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {

const std::string kCanon = std::string(TEST_DATA_DIR) + "/exif/canon_40d.jpg";
const std::string kTiffRgb = std::string(CORPORA_DIR) + "/libtiff-test-images/rgb-3c-8b.tiff";

std::string Env(const TempDir& config) {
    return "XDG_CONFIG_HOME=" + config.Path();
}

} // namespace

TEST(CliJpeg, DescribeAndInfo) {
    TempDir config;
    CliResult described = RunCli({"describe", kCanon, kTiffRgb}, Env(config));
    EXPECT_EQ(described.status, 0) << described.err;
    EXPECT_EQ(described.out, kCanon + ": 100x68 JFIF1.1(YCbCr) DS=1:1 Qf=80.6\n" + kTiffRgb +
                                 ": 157x151 TIFF (RGB)\n");

    CliResult info = RunCli({"info", kCanon}, Env(config));
    ASSERT_EQ(info.status, 0) << info.err;
    EXPECT_NE(
        info.out.find("description: 100x68 JFIF1.1(YCbCr) DS=1:1 Qf=80.6\nsize: 7,958 (7.7K)\n"),
        std::string::npos);
    EXPECT_NE(info.out.find("exif[camera]: Canon Canon EOS 40D\n"), std::string::npos);
    EXPECT_NE(info.out.find("exif[exposure]: 1/165sec F=7.0 EV=+0.00 ISO=100 +F\n"),
              std::string::npos);

    TempDir dir;
    const std::string bad = dir.Write("bad.jpg", "GIF89a");
    CliResult broken = RunCli({"describe", bad}, Env(config));
    EXPECT_EQ(broken.status, 1);
    EXPECT_EQ(broken.err,
              "tolmena-cli: " + bad + ": JPEGLIB:Not a JPEG file: starts with 0x47 0x49\n");
}

TEST(CliJpeg, ConvertAndJpegCommandUseTheFormatValues) {
    TempDir config, dir;
    CliResult converted = RunCli({"--set", "Param1=90", "--set", "Param2=1", "--set",
                                  "IncludeRST=1", "convert", "-v", kTiffRgb, dir.File("out.jpg")},
                                 Env(config));
    ASSERT_EQ(converted.status, 0) << converted.err;
    EXPECT_EQ(converted.out, "157x151 JFIF1.1(YCbCr) DS=1:1 Qf=94.7\n");
    JpegReadBack back = ReadBackJpeg(dir.File("out.jpg"));
    EXPECT_EQ(back.hSampling, 1);
    EXPECT_EQ(back.restartInterval, 20u); // 157 pixels: 20 MCUs of 8 a row

    CliResult jpeg =
        RunCli({"--set", "Param2=3", "--set", "Param3=1", "jpeg", kCanon, dir.File("conv.jpg")},
               Env(config));
    ASSERT_EQ(jpeg.status, 0) << jpeg.err;
    EXPECT_EQ(jpeg.out, "Q=75 DS=4:1 Prg.\n");
    back = ReadBackJpeg(dir.File("conv.jpg"));
    EXPECT_TRUE(back.progressive);
    EXPECT_EQ(back.hSampling * back.vSampling, 4);

    CliResult custom =
        RunCli({"--set", "UseCustomDQT=1", "jpeg", kCanon, dir.File("c.jpg")}, Env(config));
    EXPECT_EQ(custom.out.substr(0, 10), "CustomDQT ");
    EXPECT_EQ(RunCli({"jpeg", kCanon}, Env(config)).status, 2);
    EXPECT_EQ(RunCli({"jpeg", dir.File("none.jpg"), dir.File("x.jpg")}, Env(config)).status, 1);
}

// --json carries the values of the text output, one parsable object per file.
TEST(CliJpeg, JsonCarriesTheTextOutputsValues) {
    TempDir config;
    CliResult info = RunCli({"info", "--json", kCanon, kTiffRgb}, Env(config));
    ASSERT_EQ(info.status, 0) << info.err;
    const std::string first = info.out.substr(0, info.out.find('\n'));
    const auto canon = nlohmann::json::parse(first);
    const auto tiff = nlohmann::json::parse(info.out.substr(first.size() + 1));
    EXPECT_EQ(canon["path"], kCanon);
    EXPECT_EQ(canon["description"], "100x68 JFIF1.1(YCbCr) DS=1:1 Qf=80.6");
    EXPECT_EQ(canon["width"], 100);
    EXPECT_EQ(canon["height"], 68);
    EXPECT_EQ(canon["fileSize"], 7958);
    EXPECT_EQ(canon["exif"]["lines"][0], "Canon Canon EOS 40D");
    EXPECT_EQ(canon["exif"]["lines"][4], "1/165sec F=7.0 EV=+0.00 ISO=100 +F");
    EXPECT_FALSE(canon["exif"]["tags"].empty());
    EXPECT_EQ(tiff["description"], "157x151 TIFF (RGB)");

    CliResult exif = RunCli({"exif", "--json", "--english", kCanon}, Env(config));
    const std::string lines = RunCli({"exif", "--english", kCanon}, Env(config)).out;
    EXPECT_EQ(nlohmann::json::parse(exif.out)["exif"]["lines"][0].get<std::string>() + "\n",
              lines.substr(0, lines.find('\n') + 1));

    CliResult markers = RunCli({"markers", "--json", kCanon}, Env(config));
    const std::string tree = RunCli({"markers", kCanon}, Env(config)).out;
    const auto items = nlohmann::json::parse(markers.out)["markers"];
    EXPECT_EQ(items[0]["text"].get<std::string>() + "\n", tree.substr(0, tree.find('\n') + 1));
    EXPECT_EQ(items[0]["crcError"], false);
}

// --keep-metadata (bulkconv.KeepMetadata=1 in the batch) carries the source's Exif segment into
// the JPEG written, right after its APP0; without it the output has none.
TEST(CliJpeg, KeepMetadataCopiesTheExifSegment) {
    TempDir config, dir;
    const std::string summary = RunCli({"exif", kCanon}, Env(config)).out;
    ASSERT_FALSE(summary.empty());
    const std::string plain = dir.File("plain.jpg"), kept = dir.File("kept.jpg");
    ASSERT_EQ(RunCli({"convert", kCanon, plain}, Env(config)).status, 0);
    EXPECT_EQ(RunCli({"exif", plain}, Env(config)).status, 1);
    for (const char* command : {"convert", "jpeg"}) {
        CliResult result = RunCli({command, "--keep-metadata", kCanon, kept}, Env(config));
        ASSERT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(RunCli({"exif", kept}, Env(config)).out, summary) << command;
        const std::string tree = RunCli({"markers", kept}, Env(config)).out;
        EXPECT_EQ(tree.find("APP0"), tree.find('\n') + 1) << tree;
        EXPECT_LT(tree.find("APP1"), tree.find("DQT"));
    }

    const std::string src = dir.File("src"), dst = dir.File("dst");
    std::filesystem::create_directories(src);
    std::filesystem::create_directories(dst);
    std::filesystem::copy_file(kCanon, src + "/a.jpg");
    CliResult batch = RunCli({"--set", "bulkconv.KeepMetadata=1", "--set",
                              "bulkconv.SizeConvertMode=2", "batch-convert", src, dst},
                             Env(config));
    ASSERT_EQ(batch.status, 0) << batch.err;
    EXPECT_EQ(RunCli({"exif", dst + "/a.jpg"}, Env(config)).out, summary);
}

TEST(CliJpeg, NamedOptionsWriteAsTheirSettings) {
    TempDir config, dir;
    CliResult named = RunCli({"jpeg", "--quality", "90", "--sampling", "4:2:0", "--progressive",
                              kCanon, dir.File("named.jpg")},
                             Env(config));
    ASSERT_EQ(named.status, 0) << named.err;
    EXPECT_EQ(named.out, "Q=90 DS=4:1 Prg.\n");
    RunCli({"--set", "Param1=90", "--set", "Param2=3", "--set", "Param3=1", "jpeg", kCanon,
            dir.File("set.jpg")},
           Env(config));
    EXPECT_EQ(TempDir::Read(dir.File("named.jpg")), TempDir::Read(dir.File("set.jpg")));

    CliResult converted = RunCli({"--set", "Param3=1", "convert", "-v", "--sampling=gray",
                                  "--baseline", kCanon, dir.File("grey.jpg")},
                                 Env(config));
    EXPECT_EQ(converted.out.rfind("100x68 JFIF1.1(Grayscale) Qf=", 0), 0u) << converted.err;
    EXPECT_EQ(RunCli({"jpeg", "--sampling", "3:1", kCanon, dir.File("x.jpg")}).status, 2);
    EXPECT_EQ(RunCli({"jpeg", "--quality", "101", kCanon, dir.File("x.jpg")}).status, 2);
}

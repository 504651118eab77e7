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

// describe --json reads a JPEG file's headers as the text output does: a file broken after its
// scan (a second frame header) is described, not read in full and refused.
TEST(CliJpeg, DescribeJsonReadsTheHeadersOnly) {
    TempDir dir;
    ASSERT_TRUE(WriteTestJpeg(dir.File("a.jpg"), {}));
    std::string bytes = TempDir::Read(dir.File("a.jpg"));
    const size_t sof = bytes.find("\xFF\xC0");
    const std::string frame =
        bytes.substr(sof, 2 + (uint8_t(bytes[sof + 2]) << 8 | uint8_t(bytes[sof + 3])));
    bytes.insert(bytes.size() - 2, frame);
    const std::string path = dir.Write("tail.jpg", bytes);
    CliResult text = RunCli({"describe", path}, Env(dir));
    ASSERT_EQ(text.status, 0) << text.err;
    CliResult json = RunCli({"describe", "--json", path}, Env(dir));
    ASSERT_EQ(json.status, 0) << json.err;
    const auto object = nlohmann::json::parse(json.out);
    EXPECT_EQ(object["description"].get<std::string>() + "\n", text.out);
    EXPECT_EQ(object["width"], 64);
    EXPECT_EQ(object["fileSize"], bytes.size());
    EXPECT_EQ(RunCli({"info", "--json", path}, Env(dir)).status, 1);
}

// JSON keeps every byte: a name that is not UTF-8 comes with its bytes in hex, and a comment
// whose text does not give its stored bytes back carries them.
TEST(CliJpeg, JsonKeepsTheBytesOfNamesAndComments) {
    TempDir dir;
    TestJpegOptions options;
    options.markers = {{0xFE, "\x82\xa0\xff\xfe"}};
    const std::string path = dir.File("\xff.jpg");
    ASSERT_TRUE(WriteTestJpeg(path, options));
    for (const char* command : {"describe", "info"}) {
        CliResult result = RunCli({command, "--json", path}, Env(dir));
        ASSERT_EQ(result.status, 0) << result.err;
        auto object = nlohmann::json::parse(result.out);
        std::string hex;
        for (unsigned char c : path)
            hex += "0123456789abcdef"[c >> 4], hex += "0123456789abcdef"[c & 15];
        EXPECT_EQ(object["path_bytes"], hex);
        auto comment = object["comments"][0];
        EXPECT_EQ(comment["bytes"], "82a0fffe") << comment;
        EXPECT_FALSE(comment["charsetName"].get<std::string>().empty());
    }
    TestJpegOptions plain;
    plain.markers = {{0xFE, "\x82\xa0"}};
    ASSERT_TRUE(WriteTestJpeg(dir.File("plain.jpg"), plain));
    const auto object =
        nlohmann::json::parse(RunCli({"info", "--json", dir.File("plain.jpg")}, Env(dir)).out);
    EXPECT_FALSE(object.contains("path_bytes"));
    EXPECT_EQ(object["comments"][0]["text"], "あ");
    EXPECT_FALSE(object["comments"][0].contains("bytes"));
}

// "-" as IN reads standard input and as OUT writes standard output, which then carries only the
// file; a file named "-" is written as "./-".
TEST(CliJpeg, DashIsStandardInputAndOutput) {
    TempDir dir;
    const std::string inDir = "cd " + ShellQuote(dir.Path()) + " && " + Env(dir);
    CliResult piped = RunCli({"jpeg", kCanon, "-"}, inDir);
    ASSERT_EQ(piped.status, 0) << piped.err;
    EXPECT_EQ(piped.out.substr(0, 2), "\xFF\xD8");
    EXPECT_EQ(piped.out.find("Q="), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.File("-")));
    const std::string jpeg = dir.Write("piped.jpg", piped.out);
    EXPECT_EQ(RunCli({"describe", jpeg}, Env(dir)).out.substr(0, 7), "100x68 ");

    CliResult fromStdin = RunCli({"convert", "-", dir.File("out.png")}, Env(dir), kCanon);
    ASSERT_EQ(fromStdin.status, 0) << fromStdin.err;
    EXPECT_EQ(RunCli({"describe", dir.File("out.png")}, Env(dir)).out.substr(0, 7), "100x68 ");
    CliResult both = RunCli({"resize", "-", "-", "10x5"}, Env(dir), kCanon);
    ASSERT_EQ(both.status, 0) << both.err;
    EXPECT_EQ(RunCli({"describe", dir.Write("small.jpg", both.out)}, Env(dir)).out.substr(0, 5),
              "10x5 ");

    CliResult text = RunCli({"convert", "-", dir.File("x.png")}, Env(dir), dir.Write("t", "text"));
    EXPECT_EQ(text.status, 1);
    EXPECT_EQ(text.err, "tolmena-cli: -: LoadFile:This file format is not supported\n");
    EXPECT_EQ(RunCli({"jpeg", kCanon, "./-"}, inDir).status, 0);
    EXPECT_TRUE(std::filesystem::exists(dir.File("-")));

    // Temporary files in a folder with a "." in its name, none left after a closed pipe.
    const std::string temp = dir.File("tmp.d");
    std::filesystem::create_directory(temp);
    CliResult unknown =
        RunCli({"--set", "TempDir=" + temp, "convert", "-", "-"}, Env(dir), dir.File("t"));
    EXPECT_EQ(unknown.err, "tolmena-cli: -: LoadFile:This file format is not supported\n");
    EXPECT_EQ(std::system(("cd " + ShellQuote(dir.Path()) + " && XDG_CONFIG_HOME=. " +
                           ShellQuote(CLI_PATH) + " --set TempDir=tmp.d resize - - 2000x1500 <" +
                           ShellQuote(kCanon) + " | head -c 1 >/dev/null")
                              .c_str()),
              0);
    EXPECT_TRUE(std::filesystem::is_empty(temp));
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

// WebP, HEIF/AVIF and JPEG XL files through tolmena-cli: describe (by content, whatever the
// name), exif, and conversion to JPEG keeping the metadata, also in a batch.
#include "support/ModernFixture.h"
#include "support/RunCli.h"
#include "support/TempDir.h"

#include <filesystem>

namespace {

std::string Env(const TempDir& config) {
    return "XDG_CONFIG_HOME=" + config.Path();
}

const char kExifLines[] = "Tolmena Test Phone\nF=1.8\n2026:12:08 10:00:00\n\n1/100sec\n";

} // namespace

TEST(CliModern, DescribeEachFormatByItsContent) {
    TempDir config, dir;
    const std::string misnamed = dir.File("photo.jpg");
    std::filesystem::copy_file(ModernDataPath("hevc.heic"), misnamed);
    std::string expected;
    std::vector<std::string> args = {"describe"};
    for (const auto& [name, description] : std::vector<std::pair<std::string, std::string>>{
             {"anim.webp", "64x48 WebP(lossless, 3 frames)"},
             {"collection.heic", "64x48 HEIF(HEVC 4:2:0 8bit, 2 images)"},
             {"lossless-alpha.avif", "64x48 AVIF(AV1 4:4:4 8bit+alpha)"},
             {"lossless-alpha.jxl", "64x48 JXL(lossless+alpha)"}}) {
        args.push_back(ModernDataPath(name));
        expected += ModernDataPath(name) + ": " + description + "\n";
    }
    args.push_back(misnamed);
    expected += misnamed + ": 64x48 HEIF(HEVC 4:2:0 8bit)\n";
    CliResult result = RunCli(args, Env(config));
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, expected);
}

// The Exif summary of each container equals its JPEG source's (exiftool: Make "Tolmena", Model
// "Test Phone", FNumber 1.8, ExposureTime 0.01, DateTimeOriginal 2026:12:08 10:00:00), and a
// JPEG converted with --keep-metadata, one by one or in a batch, keeps it and the ICC profile.
TEST(CliModern, ExifShownAndKeptInJpegConversions) {
    TempDir config, dir;
    for (const char* name : {"hevc.heic", "lossy.webp", "photo.jxl", "ten-bit.avif"}) {
        CliResult exif = RunCli({"exif", ModernDataPath(name)}, Env(config));
        EXPECT_EQ(exif.out, kExifLines) << name << exif.err;
    }
    const std::string kept = dir.File("kept.jpg");
    CliResult converted =
        RunCli({"convert", "--keep-metadata", ModernDataPath("icc.webp"), kept}, Env(config));
    ASSERT_EQ(converted.status, 0) << converted.err;
    EXPECT_EQ(RunCli({"exif", kept}, Env(config)).out, kExifLines);
    const std::string tree = RunCli({"markers", kept}, Env(config)).out;
    EXPECT_NE(tree.find("APP2"), std::string::npos) << tree;

    const std::string src = dir.File("src"), dst = dir.File("dst");
    std::filesystem::create_directories(src);
    std::filesystem::create_directories(dst);
    std::filesystem::copy_file(ModernDataPath("hevc.heic"), src + "/IMG_0001.HEIC");
    CliResult batch =
        RunCli({"--set", "bulkconv.KeepMetadata=1", "--set", "bulkconv.SizeConvertMode=2", "--set",
                "bulkconv.ExtFilter=0", "batch-convert", src, dst},
               Env(config));
    ASSERT_EQ(batch.status, 0) << batch.err;
    EXPECT_EQ(RunCli({"exif", dst + "/IMG_0001.jpg"}, Env(config)).out, kExifLines);
}

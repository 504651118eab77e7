// What is no regular file is refused at once by the commands and the batch walk; a file whose
// name does not say its type is read by its content.
#include "jpegtools/JpegCodecSupport.h"
#include "support/RunCli.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

// The commands run under a time limit: one that waits on a FIFO ends with status 124.
std::string Env(const TempDir& dir) {
    return "XDG_CONFIG_HOME=" + dir.File("config") + " timeout 30 env";
}

} // namespace

TEST(CliOpening, FifosAndFoldersAreRefusedAndContentDecidesTheType) {
    TempDir dir;
    const std::string fifo = dir.File("pipe.jpg"), folder = dir.File("folder.jpg");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_directory(folder);
    TestJpegRecipe recipe;
    recipe.width = recipe.height = 16;
    const std::string photo = dir.Write("photo.dat", EncodeTestJpeg(recipe));

    CliResult described = RunCli({"describe", fifo, folder, photo}, Env(dir));
    EXPECT_EQ(described.status, 1);
    EXPECT_EQ(described.out, photo + ": 16x16 JFIF1.1(YCbCr) DS=4:1 Qf=86.1\n");
    EXPECT_EQ(described.err,
              "tolmena-cli: " + fifo + ": LoadJpegFile:Cannot open the file (is a FIFO)\n" +
                  "tolmena-cli: " + folder + ": LoadJpegFile:Cannot open the file (is a folder)\n");

    // The batch walk hands the FIFO to its reader like any other file.
    const std::string src = dir.File("src"), dst = dir.File("dst");
    std::filesystem::create_directories(src + "/x");
    std::filesystem::create_directories(dst);
    std::filesystem::create_directories(dir.File("filtered"));
    ASSERT_EQ(mkfifo((src + "/a.jpg").c_str(), 0600), 0);
    dir.Write("src/b.jpg", EncodeTestJpeg(recipe));
    CliResult converted = RunCli({"batch-convert", src, dst}, Env(dir));
    EXPECT_NE(converted.status, 124);
    EXPECT_NE(converted.err.find(src + "/a.jpg: LoadJpegFile:Cannot open the file (is a FIFO)"),
              std::string::npos)
        << converted.err;
    EXPECT_TRUE(std::filesystem::exists(dst + "/b.jpg"));
    CliResult filtered = RunCli({"filter", src, dir.File("filtered")}, Env(dir));
    EXPECT_NE(filtered.status, 124);
    EXPECT_TRUE(std::filesystem::exists(dir.File("filtered/b.jpg"))) << filtered.err;
}

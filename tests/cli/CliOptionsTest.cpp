// Option spellings every command takes: "--name=VALUE", "-j2", -q/--quiet, -v/--verbose and
// -r/--recursive for the batch commands.
#include "jpegtools/JpegCodecSupport.h"
#include "support/RunCli.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

class CliOptions : public ::testing::Test {
protected:
    CliOptions() {
        TestJpegRecipe recipe;
        recipe.width = recipe.height = 32;
        fs::create_directories(dir_.File("src/sub"));
        fs::create_directories(dir_.File("dst"));
        jpeg_ = dir_.Write("src/a.jpg", EncodeTestJpeg(recipe));
        dir_.Write("src/sub/b.jpg", EncodeTestJpeg(recipe));
    }
    CliResult Run(const std::vector<std::string>& args) const {
        return RunCli(args, "XDG_CONFIG_HOME=" + dir_.Path());
    }
    size_t FilesIn(const std::string& name) const {
        size_t count = 0;
        for (const auto& entry : fs::recursive_directory_iterator(dir_.File(name)))
            count += entry.is_regular_file();
        return count;
    }

    TempDir dir_;
    std::string jpeg_;
};

} // namespace

TEST_F(CliOptions, ValuesJoinedToTheirOptions) {
    CliResult set =
        Run({"--set=Param1=90", "--profile=" + dir_.File("p.ini"), "settings", "--save"});
    ASSERT_EQ(set.status, 0) << set.err;
    EXPECT_NE(TempDir::Read(dir_.File("p.ini")).find("Param1=90"), std::string::npos);

    ASSERT_EQ(Run({"gamma", jpeg_, dir_.File("one.jpg"), "--gamma=2.2", "--bias=-20"}).status, 0);
    ASSERT_EQ(Run({"gamma", jpeg_, dir_.File("two.jpg"), "--gamma", "2.2", "--bias", "-20"}).status,
              0);
    EXPECT_EQ(TempDir::Read(dir_.File("one.jpg")), TempDir::Read(dir_.File("two.jpg")));
    EXPECT_EQ(Run({"settings", "--section=bulkfilter"}).out,
              Run({"settings", "--section", "bulkfilter"}).out);
    // After "--" nothing is an option.
    EXPECT_EQ(Run({"describe", "--", "--gamma=2"}).status, 1);
}

TEST_F(CliOptions, RecursiveQuietAndJobsJoined) {
    CliResult flat = Run({"filter", "-j2", dir_.File("src"), dir_.File("dst")});
    ASSERT_EQ(flat.status, 0) << flat.err;
    EXPECT_FALSE(flat.out.empty());
    EXPECT_EQ(FilesIn("dst"), 1u);

    CliResult quiet = Run({"-q", "filter", "--recursive", dir_.File("src"), dir_.File("dst")});
    ASSERT_EQ(quiet.status, 0) << quiet.err;
    EXPECT_EQ(quiet.out + quiet.err, "");
    EXPECT_EQ(FilesIn("dst"), 2u);

    dir_.Write("src/bad.jpg", "not a picture");
    CliResult failing = Run({"batch-convert", "-r", "--quiet", dir_.File("src"), dir_.File("dst")});
    EXPECT_EQ(failing.status, 1);
    EXPECT_EQ(failing.out, "");
    EXPECT_NE(failing.err.find("bad.jpg"), std::string::npos) << "failures are still shown";
    EXPECT_EQ(Run({"describe", "-r", jpeg_}).status, 2);
}

TEST_F(CliOptions, VerboseBeforeOrAfterTheCommand) {
    const CliResult before = Run({"--verbose", "convert", jpeg_, dir_.File("a.png")});
    ASSERT_EQ(before.status, 0) << before.err;
    EXPECT_NE(before.out.find("32x32"), std::string::npos) << before.out;
    EXPECT_EQ(Run({"convert", "-v", jpeg_, dir_.File("b.png")}).out, before.out);
    EXPECT_EQ(Run({"convert", jpeg_, dir_.File("c.png")}).out, "");
    EXPECT_EQ(Run({"-q", "--help"}).out, Run({"--help"}).out);
    EXPECT_EQ(Run({"--verbose", "--version"}).status, 0);
}

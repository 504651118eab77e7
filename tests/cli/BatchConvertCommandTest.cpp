// tolmena-cli batch-convert as scripts use it: one parsed line per failure, DST made with its
// parents, the log in DST with links that resolve, --dry-run, sources sharing an output.
#include "jpegtools/JpegCodecSupport.h"
#include "support/RunCli.h"
#include "support/SmallDisk.h"
#include "support/TiffFixture.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::string Jpeg(int size) {
    TestJpegRecipe recipe;
    recipe.width = recipe.height = size;
    return EncodeTestJpeg(recipe);
}

struct FailureLine {
    std::string path, name, message;
};

// Every stderr line as "tolmena-cli: PATH: name:message (reason)"; a line of another form fails.
std::vector<FailureLine> ParseFailures(const std::string& err) {
    static const std::regex form("tolmena-cli: (/[^:]*): ([A-Za-z]+):(.+)");
    std::vector<FailureLine> lines;
    std::istringstream in(err);
    for (std::string line; std::getline(in, line);) {
        std::smatch match;
        EXPECT_TRUE(std::regex_match(line, match, form)) << line;
        if (!match.empty()) lines.push_back({match[1], match[2], match[3]});
    }
    return lines;
}

class BatchConvertCommand : public ::testing::Test {
protected:
    BatchConvertCommand() { fs::create_directories(src + "/sub"); }
    void Put(const std::string& name, const std::string& bytes) {
        std::ofstream(src + "/" + name, std::ios::binary) << bytes;
    }
    // Settings for the run, then options of the command in extra ("--set" pairs go before it).
    CliResult Run(const std::vector<std::string>& extra, const std::string& to,
                  const std::string& env = "") {
        std::vector<std::string> args = {"--set",        "bulkconv.StrExtFilter=.jpg;.jpeg;.tif",
                                         "--set",        "bulkconv.ExtFilter=1",
                                         "--set",        "bulkconv.RecurseDir=1",
                                         "--set",        "bulkconv.SizeConvertMode=2",
                                         "--set",        "bulkconv.CreateLog=0",
                                         "--set",        "bulkconv.ExtThrough=0",
                                         "--set",        "bulkconv.UsePngFormat=0",
                                         "batch-convert"};
        for (size_t i = 0; i < extra.size(); ++i)
            if (extra[i] == "--set")
                args.insert(args.end() - 1, {extra[i], extra[++i]});
            else
                args.push_back(extra[i]);
        args.insert(args.end(), {src, to});
        return RunCli(args, env + " XDG_CONFIG_HOME=" + dir.File("config"));
    }

    TempDir dir;
    std::string src = dir.File("src"), dst = dir.File("dst");
};

} // namespace

TEST_F(BatchConvertCommand, EveryFailureIsOneLineNamingItsPath) {
    Put("a.jpg", Jpeg(16));
    fs::create_symlink(dir.File("nowhere.jpg"), src + "/gone.jpg");
    Put("text.jpg", "not a JPEG");
    using namespace tiff_fixture;
    Put("packed.tif",
        MakeTiff({Short(256, {4}), Short(257, {4}), Short(258, {8, 8, 8}), Short(259, {5})}));
    Put("sub/b.jpg", Jpeg(16));
    fs::create_directories(dst);
    std::ofstream(dst + "/sub") << "a file where the folder goes";
    const CliResult result = Run({}, dst);
    EXPECT_EQ(result.status, 1);
    const std::string from = fs::canonical(src).string(), to = fs::canonical(dst).string();
    const std::vector<FailureLine> lines = ParseFailures(result.err);
    ASSERT_EQ(lines.size(), 4u) << result.err;
    EXPECT_EQ(lines[0].path, from + "/gone.jpg");
    EXPECT_NE(lines[0].message.find("(No such file or directory)"), std::string::npos);
    EXPECT_EQ(lines[1].path, from + "/packed.tif");
    EXPECT_NE(lines[1].message.find("(Compression=5)"), std::string::npos);
    EXPECT_EQ(lines[2].path, from + "/text.jpg");
    EXPECT_EQ(lines[2].name, "JPEGLIB");
    EXPECT_EQ(lines[3].path, to + "/sub");
    EXPECT_EQ(lines[3].name + ":" + lines[3].message,
              "BulkCnv:Cannot make the folder (File exists)");
    EXPECT_EQ(result.out, "5 files processed\n4 of them failed\n");

    SmallDisk disk;
    SKIP_WITHOUT_SMALL_DISK(disk);
    disk.Fill();
    fs::remove_all(src);
    fs::create_directories(src);
    Put("a.jpg", Jpeg(64));
    const CliResult full = Run({}, disk.File("out"));
    // The encoder's report names the file being converted.
    ASSERT_EQ(ParseFailures(full.err).size(), 1u) << full.err;
    EXPECT_EQ(ParseFailures(full.err)[0].path, fs::canonical(src).string() + "/a.jpg");
}

// DST is made as "mkdir -p" makes it; --dry-run lists and makes nothing.
TEST_F(BatchConvertCommand, MakesTheDestinationUnlessOnlyListing) {
    Put("a.jpg", Jpeg(16));
    Put("sub/b.jpeg", Jpeg(16));
    const std::string deep = dst + "/new/deeper";
    CliResult result = Run({"--dry-run"}, deep);
    EXPECT_EQ(result.status, 0) << result.err;
    const std::string from = fs::canonical(src).string();
    EXPECT_EQ(result.out, from + "/a.jpg → " + deep + "/a.jpg\n" + from + "/sub/b.jpeg → " + deep +
                              "/sub/b.jpg\n");
    EXPECT_FALSE(fs::exists(dst));

    result = Run({}, deep);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(fs::exists(deep + "/sub/b.jpg"));
}

// The log goes into DST, or where --log puts it; every link resolves from the log's folder.
TEST_F(BatchConvertCommand, LogLinksResolveWhereTheLogIs) {
    Put("a.jpg", Jpeg(16));
    Put("sub/b.jpg", Jpeg(16));
    const std::string elsewhere = dir.File("logs/run.htm");
    fs::create_directories(dir.File("logs"));
    ASSERT_EQ(
        Run({"--set", "bulkconv.CreateLog=1", "--set", "bulkconv.LogFilePath=/x/conv.htm"}, dst)
            .status,
        0);
    ASSERT_EQ(Run({"--log", elsewhere}, dir.File("dst2")).status, 0);
    for (const std::string& log : {dst + "/conv.htm", elsewhere}) {
        const std::string page = TempDir::Read(log);
        static const std::regex link("(href|src)=\"([^\"]+)\"");
        int links = 0;
        for (std::sregex_iterator it(page.begin(), page.end(), link), end; it != end; ++it, ++links)
            EXPECT_TRUE(fs::is_regular_file(fs::path(log).parent_path() / (*it)[2].str()))
                << log << ": " << (*it)[2];
        EXPECT_EQ(links, 4) << page;
    }
}

// a.jpg, a.jpeg and a.JPG all become a.jpg: one report, two failures, a.jpg's own output kept.
TEST_F(BatchConvertCommand, SourcesSharingAnOutputAreReportedOnce) {
    Put("a.jpg", Jpeg(16));
    Put("a.jpeg", Jpeg(24));
    Put("a.JPG", Jpeg(32));
    const CliResult result = Run({"--set", "bulkconv.StrExtFilter=.jpg;.jpeg"}, dst);
    EXPECT_EQ(result.status, 1);
    const std::string to = fs::canonical(dst).string();
    const std::vector<FailureLine> lines = ParseFailures(result.err);
    ASSERT_EQ(lines.size(), 1u) << result.err;
    EXPECT_EQ(lines[0].path, to + "/a.jpg");
    EXPECT_EQ(lines[0].message, "Several sources have this output; written from " +
                                    fs::canonical(src).string() + "/a.jpg, 2 skipped");
    EXPECT_EQ(result.out, "3 files processed\n2 of them failed\n");
    EXPECT_EQ(RunCli({"describe", dst + "/a.jpg"}).out.substr(0, 5), "16x16");
}

// filter and batch-convert with -j: several files at once give the files, log, messages and
// summary of a run in turn; Ctrl+C leaves no temporary file. batch-convert --fast.
#include "jpegtools/JpegCodecSupport.h"
#include "support/RunCli.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string Jpeg(int width, int height, const std::string& comment) {
    TestJpegRecipe recipe;
    recipe.width = width;
    recipe.height = height;
    recipe.markers = {{0xFE, comment}};
    return EncodeTestJpeg(recipe);
}

void Put(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// Every file below root by its relative path, with its bytes.
std::map<std::string, std::string> Tree(const fs::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), root).string()] = TempDir::Read(entry.path());
        else
            files[fs::relative(entry.path(), root).string()] = "<directory>";
    return files;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
        text.replace(at, from.size(), to);
    return text;
}

// A tree with failures (no JPEG, no frame), names whose outputs collide or would replace
// another source, and nested folders with enough files to keep three workers busy.
void MakeTree(const fs::path& root) {
    Put(root / "a.jpg", Jpeg(40, 30, "a"));
    Put(root / "a.jpeg", Jpeg(30, 40, "a.jpeg"));
    Put(root / "b.png.jpg", Jpeg(20, 20, "b"));
    Put(root / "broken.jpg", "not a JPEG at all");
    Put(root / "noframe.jpg", std::string("\xFF\xD8\xFF\xFE\x00\x04hi\xFF\xD9", 10));
    for (int i = 0; i < 12; ++i)
        Put(root / "sub" / ("p" + std::to_string(i) + ".jpg"),
            Jpeg(16 + 7 * i, 64 - 3 * i, "p" + std::to_string(i)));
    Put(root / "sub" / "deeper" / "c.jpeg", Jpeg(50, 10, "c"));
    Put(root / "sub" / "deeper" / "c.JPG", Jpeg(10, 50, "C"));
    Put(root / "sub" / "deeper" / "zz.jpg", "\xFF\xD8 truncated");
}

struct RunOutcome {
    CliResult result;
    std::map<std::string, std::string> files;
    std::string log;
};

class ParallelBatch : public ::testing::Test {
protected:
    // Runs the command in place over a fresh copy of the tree named `name` with the workers
    // given, the log beside the tree; paths of this copy are written "ROOT" in what it prints.
    RunOutcome InPlace(const std::string& command, const std::string& section,
                       const std::string& name, const std::string& workers) {
        const std::string root = dir.File(name), log = dir.File(name + ".htm");
        MakeTree(root);
        RunOutcome run;
        std::vector<std::string> args = {"--set", section + ".RecurseDir=1",
                                         "--set", "bulkconv.SizeWidth=24",
                                         "--set", "bulkconv.SizeHeight=24",
                                         command, "-j",
                                         workers, "--log",
                                         log,     root,
                                         root};
        if (command == "filter") args.insert(args.end() - 2, "--in-place");
        run.result = RunCli(args, "XDG_CONFIG_HOME=" + dir.File("config"));
        run.files = Tree(root);
        run.log = Replaced(Replaced(TempDir::Read(log), root, "ROOT"), "./" + name, "./ROOT");
        run.result.out = Replaced(run.result.out, root, "ROOT");
        run.result.err = Replaced(run.result.err, root, "ROOT");
        return run;
    }

    void ExpectSameRuns(const std::string& command, const std::string& section,
                        const std::string& logged) {
        const RunOutcome inTurn = InPlace(command, section, command + "1", "1");
        const RunOutcome atOnce = InPlace(command, section, command + "3", "3");
        EXPECT_EQ(inTurn.result.status, 1); // the broken files
        EXPECT_EQ(atOnce.result.status, inTurn.result.status);
        EXPECT_EQ(atOnce.result.out, inTurn.result.out);
        EXPECT_EQ(atOnce.result.err, inTurn.result.err);
        EXPECT_EQ(atOnce.log, inTurn.log);
        EXPECT_NE(inTurn.log.find("[Same output name : ROOT/a.jpg]"), std::string::npos)
            << inTurn.log;
        EXPECT_NE(inTurn.log.find(logged), std::string::npos) << inTurn.log;
        EXPECT_TRUE(atOnce.files == inTurn.files);
    }

    TempDir dir;
};

} // namespace

TEST_F(ParallelBatch, FilterWithThreeWorkersEqualsOneByOne) {
    ExpectSameRuns("filter", "bulkfilter", "ROOT/noframe.jpg</A>");
}

TEST_F(ParallelBatch, ConversionWithThreeWorkersEqualsOneByOne) {
    ExpectSameRuns("batch-convert", "bulkconv", "[Can't open file : ROOT/broken.jpg]");
}

TEST_F(ParallelBatch, WorkersTakeANumberFromOneUp) {
    for (const char* workers : {"0", "x", "257"}) {
        const CliResult result = RunCli({"filter", "-j", workers, dir.Path(), dir.Path()});
        EXPECT_EQ(result.status, 2) << workers;
        EXPECT_NE(result.err.find("-j takes a number of files from 1 to 256"), std::string::npos);
    }
}

// Ctrl+C under -j 3: the files being converted are finished, nothing half-written stays, and the
// summary says that the run was interrupted.
TEST_F(ParallelBatch, InterruptLeavesNoTemporaryFile) {
    const std::string src = dir.File("src"), dst = dir.File("dst");
    const std::string jpeg = Jpeg(480, 360, "x");
    for (int i = 0; i < 300; ++i)
        Put(fs::path(src) / ("f" + std::to_string(1000 + i) + ".jpg"), jpeg);
    fs::create_directories(dst);
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("XDG_CONFIG_HOME", dir.File("config").c_str(), 1);
        setenv("LC_ALL", "C", 1);
        std::freopen(dir.File("summary").c_str(), "w", stdout);
        execl(CLI_PATH, CLI_PATH, "--set", "bulkconv.SizeConvertMode=2", "batch-convert", "-j", "3",
              src.c_str(), dst.c_str(), nullptr);
        _exit(127);
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (fs::is_empty(dst) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    kill(pid, SIGINT);
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), 130);
    EXPECT_EQ(TempDir::Read(dir.File("summary")).rfind("Interrupted: ", 0), 0u);
    size_t outputs = 0;
    for (const auto& entry : fs::directory_iterator(dst)) {
        EXPECT_NE(entry.path().filename().string()[0], '.') << entry.path();
        ++outputs;
    }
    EXPECT_GT(outputs, 0u);
    EXPECT_LT(outputs, 300u);
}

// --fast decodes a large JPEG at a reduced scale: same output size and log sizes, other pixels;
// a source less than twice the target is converted exactly.
TEST_F(ParallelBatch, FastShrinkOnlyWhereTheTargetIsAtMostHalf) {
    const std::string src = dir.File("src");
    Put(fs::path(src) / "large.jpg", Jpeg(400, 300, "large"));
    Put(fs::path(src) / "small.jpg", Jpeg(100, 90, "small"));
    std::map<std::string, std::string> outputs;
    for (const std::string mode : {"exact", "fast"}) {
        const std::string dst = dir.File(mode);
        fs::create_directories(dst);
        std::vector<std::string> args = {"--set",
                                         "bulkconv.SizeWidth=80",
                                         "--set",
                                         "bulkconv.CreateLog=1",
                                         "--set",
                                         "bulkconv.LogFilePath=" + dst + "/log.htm",
                                         "batch-convert",
                                         src,
                                         dst};
        if (mode == "fast") args.insert(args.end() - 2, "--fast");
        ASSERT_EQ(RunCli(args, "XDG_CONFIG_HOME=" + dir.File("config")).status, 0);
        outputs[mode + "/large"] = TempDir::Read(dst + "/large.jpg");
        outputs[mode + "/small"] = TempDir::Read(dst + "/small.jpg");
        const std::string log = TempDir::Read(dst + "/log.htm");
        EXPECT_NE(log.find("400 x 300 "), std::string::npos) << log;
        EXPECT_NE(log.find("width=80 height=60"), std::string::npos) << log;
    }
    EXPECT_EQ(outputs["fast/small"], outputs["exact/small"]);
    EXPECT_NE(outputs["fast/large"], outputs["exact/large"]);
    const DecodedImage fast = DecodeJpeg(outputs["fast/large"]);
    EXPECT_EQ(fast.width, 80);
    EXPECT_EQ(fast.height, 60);
}

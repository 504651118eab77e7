// Batch runs onto a full disk: no message box stops them, every failure names its file, and the
// summary says how many files failed and whether the log could be written.
#include "batch/BatchCommand.h"
#include "batch/ConversionTask.h"
#include "core/DocFixture.h"
#include "core/DocTemplate.h"
#include "support/JpegFixture.h"
#include "support/RunCli.h"
#include "support/SmallDisk.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

class RecordingFrontEnd : public IBatchFrontEnd, public CSilentProgress {
public:
    bool EditSettings() override { return true; }
    IBatchProgress* OpenProgress() override { return this; }
    void ShowSummary(const BatchResult&) override {}
    void SetFailures(const std::string& text) override { failures = text; }

    std::string failures;
};

class FullDiskBatch : public DocTest {
protected:
    void SetUp() override {
        DocTest::SetUp();
        fs::create_directories(src);
        for (const char* name : {"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg", "f.jpg"})
            WriteTestJpeg(src + "/" + name, TestJpegOptions{});
        if (disk.Mounted()) fs::create_directories(dst);
        settings.srcDirectory = src;
        settings.dstDirectory = dst;
        settings.createLog = 1;
        settings.logFilePath = dir.File("log.htm");
    }
    BatchResult Run() {
        HostedDocuments documents{host};
        CConversionTask task(settings, documents);
        return RunBatchCommand(task, frontEnd);
    }

    SmallDisk disk;
    std::string src = fs::canonical(dir.Path()).string() + "/src", dst = disk.File("dst");
    BulkConvSettings settings = DefaultBulkConvSettings();
    RecordingFrontEnd frontEnd;
};

} // namespace

TEST_F(FullDiskBatch, FailuresGoToTheRunAndItsSummary) {
    SKIP_WITHOUT_SMALL_DISK(disk);
    disk.Fill();
    BatchResult result = Run();
    EXPECT_EQ(Messages(), std::vector<std::string>{}); // not one box during the run
    EXPECT_EQ(result.summary, "6 個のファイルを処理しました");
    EXPECT_EQ(result.failedFiles, 6);
    const std::string seeLog = "うち 6 個は失敗しました(ログ: " + settings.logFilePath + ")";
    EXPECT_EQ(result.failureText, seeLog);
    EXPECT_EQ(frontEnd.failures, seeLog);
    const std::string log = TempDir::Read(settings.logFilePath);
    for (const char* name : {"a.jpg", "f.jpg"}) { // each report names its file
        EXPECT_NE(log.find("<STRONG>" + src + "/" + name + ": JPEGLIB:"), std::string::npos) << log;
        EXPECT_NE(log.find("<STRONG>[Can't Save to " + dst + "/" + name + "]"), std::string::npos);
    }

    // The log on the full disk too: the summary says so and lists the first failures.
    settings.logFilePath = disk.File("log.htm");
    result = Run();
    EXPECT_EQ(result.logError, ENOSPC);
    std::vector<std::string> lines;
    for (size_t start = 0, end = 0; end != std::string::npos; start = end + 1)
        lines.push_back(
            result.failureText.substr(start, (end = result.failureText.find('\n', start)) - start));
    ASSERT_EQ(lines.size(), 8u) << result.failureText;
    EXPECT_EQ(lines[0], "うち 6 個は失敗しました");
    EXPECT_EQ(lines[1], "ログファイルに書き込めません: " + settings.logFilePath +
                            " (No space left on device)");
    EXPECT_EQ(lines[2].find(src + "/a.jpg: JPEGLIB:"), 0u);
    EXPECT_EQ(lines[6].find(src + "/e.jpg: JPEGLIB:"), 0u);
    EXPECT_EQ(lines[7], "ほか 1 件");

    // The command line says it as well.
    const CliResult cli = RunCli({"batch-convert", "--log", settings.logFilePath, src, dst},
                                 "XDG_CONFIG_HOME=" + dir.Path());
    EXPECT_EQ(cli.status, 1);
    EXPECT_NE(cli.err.find("tolmena-cli: " + src + "/a.jpg: JPEGLIB:"), std::string::npos)
        << cli.err;
    EXPECT_NE(cli.err.find("tolmena-cli: " + settings.logFilePath +
                           ": BulkCnv:Cannot write the log file (No space left on device)\n"),
              std::string::npos)
        << cli.err;
}

#include "base/HeadlessPlatform.h"
#include "batch/BatchCommand.h"
#include "batch/BatchPaths.h"
#include "batch/NameOrder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

namespace {

// Copies every file to its name with ".out" in place of its extension, noting the links.
class CopyTask : public IBatchTask {
public:
    std::string ReportName() const override { return "Test"; }
    void Configure(CBatchJob& job) override {
        job.sourceDirectory = source;
        job.destinationDirectory = destination;
        job.recurse = recurse;
        job.extensionFilter = extensionFilter;
        job.extensionList = extensionList;
    }
    bool Run(CBatchJob& job) override {
        if (!job.BeginProcessing() || (!logPath.empty() && !job.OpenLog(logPath))) return false;
        job.ProcessTree();
        job.Log().Close();
        return true;
    }
    std::string OutputName(const std::string& name) const override {
        return name.substr(0, name.rfind('.')) + ".out";
    }
    std::unique_ptr<IBatchWorker> NewWorker(int) override {
        return std::make_unique<Worker>(*this);
    }

    struct Worker : IBatchWorker {
        explicit Worker(CopyTask& owner) : task(owner) {}
        bool ProcessFile(CBatchFile& file) override {
            if (task.beforeFile) std::exchange(task.beforeFile, nullptr)();
            if (!file.EnsureDestinationDirectory()) return false;
            task.links.push_back(file.LinkPath());
            task.last = {file.SourcePath(), file.ImagePath(), file.DestinationPath()};
            fs::copy_file(file.SourcePath(), file.DestinationPath(),
                          fs::copy_options::overwrite_existing);
            return true;
        }
        CopyTask& task;
    };

    std::string source, destination, logPath;
    bool recurse = true, extensionFilter = true;
    std::string extensionList = ".jpg;.jfif;.jpeg";
    std::function<void()> beforeFile;
    Names links, last; // every link path (from the log beside src); source, image and destination
                       // path of the last file
};

// The dialogs and the progress window: records what they would show and stops after a number
// of events when asked.
class FrontEnd : public IBatchFrontEnd, public IBatchProgress {
public:
    bool EditSettings() override { return confirm; }
    IBatchProgress* OpenProgress() override { return this; }
    void EnableMainWindow(bool enable) override { enabled.push_back(enable); }
    void ShowSummary(const BatchResult& result) override { summary = result.summary; }
    void SetStatus(const std::string& text) override { statuses.push_back(text); }
    void SetCounter(const std::string& text) override { counter = text; }
    void SetPath(const std::string&) override {}
    void SetRange(int total) override { range = total, position = 0; }
    void Step() override { ++position; }
    bool KeepGoing() override { return --eventsLeft >= 0; }
    void Failed(const std::string& message) override { failures.push_back(message); }

    bool confirm = true;
    std::vector<bool> enabled;
    Names statuses, failures;
    std::string summary, counter;
    int range = -1, position = 0, eventsLeft = 1 << 30;
};

class BatchJobTest : public ::testing::Test {
protected:
    void SetUp() override {
        Headless().ClearMessages();
        fs::create_directories(dst);
        task.source = src;
        task.destination = dst;
        task.logPath = dir.File("log.htm");
    }
    void TearDown() override { Headless().ClearMessages(); }

    void Touch(const Names& names) {
        for (const std::string& name : names) {
            fs::create_directories(fs::path(src + "/" + name).parent_path());
            std::ofstream(src + "/" + name) << name;
        }
    }
    BatchResult Run() {
        task.links.clear();
        fs::remove_all(dst);
        fs::create_directories(dst);
        return RunBatchCommand(task, frontEnd);
    }
    std::string Log() const { return TempDir::Read(task.logPath); }

    TempDir dir;
    std::string src = dir.File("src"), dst = dir.File("dst");
    CopyTask task;
    FrontEnd frontEnd;
};

const std::string kEmptyLog = "<HTML><BODY>\n</BODY></HTML>\n";

std::string ErrorLine(const std::string& message) {
    return "<FONT color=\"red\"><STRONG>" + message + "</STRONG></FONT><BR>\n";
}

} // namespace

TEST(NameOrder, SortsIgnoringAsciiCaseThenByBytes) {
    Names names = {"b.jpg", "A.jpg", "_c.jpg", "a10.jpg", "a2.jpg", "a.jpg", "\xE3\x81\x82"};
    SortNames(names);
    EXPECT_EQ(names,
              (Names{"_c.jpg", "A.jpg", "a.jpg", "a10.jpg", "a2.jpg", "b.jpg", "\xE3\x81\x82"}));
}

TEST(BatchPaths, RootsAndFolderTexts) {
    TempDir dir;
    std::string root;
    ASSERT_TRUE(NormaliseRoot(dir.Path() + "/./", root));
    EXPECT_EQ(root, fs::canonical(dir.Path()).string());
    ASSERT_TRUE(NormaliseRoot("/", root));
    EXPECT_EQ(root, ""); // the walk adds the "/"
    EXPECT_FALSE(NormaliseRoot(dir.Write("file", "x"), root));
    EXPECT_EQ(BrowseStartFolder("/"), "/");
    EXPECT_EQ(BrowseStartFolder("/photos/"), "/photos");
    EXPECT_EQ(LogPathInFolder("/out", "/home/u/blkcnv.htm"), "/out/blkcnv.htm");
}

TEST_F(BatchJobTest, SelectsByExtensionList) {
    Touch({"PHOTO.JPG", "a.b.jpeg", "x.jfif", "x.jpe", "noext", "x.jpg.bak"});
    fs::create_directories(src + "/dir.jpg");
    Run();
    EXPECT_EQ(task.links, (Names{"./src/a.b.jpeg", "./src/PHOTO.JPG", "./src/x.jfif"}));
    task.extensionList = ".jpg;;.bak";
    Run();
    EXPECT_EQ(task.links, (Names{"./src/PHOTO.JPG", "./src/x.jpg.bak"}));
    task.extensionFilter = false;
    task.recurse = false;
    EXPECT_EQ(Run().total, 6);
    EXPECT_EQ(task.links[1], "./src/noext");
}

TEST_F(BatchJobTest, WalksFilesThenSubdirectoriesInNameOrder) {
    Touch({"z.jpg", "sub/y.jpg", "a.jpg", "sub2/b.jpg", "sub2/A.jpg", "sub2/_c.jpg", "sub2/a10.jpg",
           "sub2/a2.jpg", "up/down/x.jpg", "empty/no.txt"});
    BatchResult result = Run();
    EXPECT_EQ(task.links, (Names{"./src/a.jpg", "./src/z.jpg", "./src/sub/y.jpg",
                                 "./src/sub2/_c.jpg", "./src/sub2/A.jpg", "./src/sub2/a10.jpg",
                                 "./src/sub2/a2.jpg", "./src/sub2/b.jpg", "./src/up/down/x.jpg"}));
    EXPECT_EQ(task.last,
              (Names{fs::canonical(src).string() + "/up/down/x.jpg", "./dst/up/down/x.out",
                     fs::canonical(dst).string() + "/up/down/x.out"}));
    EXPECT_EQ(TempDir::Read(dst + "/up/down/x.out"), "up/down/x.jpg");
    EXPECT_FALSE(fs::exists(dst + "/empty")); // made only for something to write

    EXPECT_EQ(result.outcome, BatchOutcome::Completed);
    EXPECT_EQ(result.summary, "9 個のファイルを処理しました");
    EXPECT_EQ(frontEnd.summary, result.summary);
    EXPECT_EQ(frontEnd.enabled, (std::vector<bool>{false, true}));
    EXPECT_EQ(frontEnd.statuses,
              (Names{"ファイルを検索しています...", "ファイルを処理しています..."}));
    EXPECT_EQ(frontEnd.counter, "9 / 9");
    EXPECT_EQ(frontEnd.range, 9);
    EXPECT_EQ(frontEnd.position, 9);
    EXPECT_EQ(Log(), kEmptyLog);
}

TEST_F(BatchJobTest, CancelledSettingsAndMissingRoots) {
    Touch({"a.jpg"});
    frontEnd.confirm = false;
    EXPECT_EQ(Run().outcome, BatchOutcome::NotRun);
    EXPECT_EQ(frontEnd.summary, "");

    frontEnd.confirm = true;
    task.source = dir.File("missing");
    BatchResult result = Run();
    EXPECT_EQ(result.outcome, BatchOutcome::Failed);
    EXPECT_EQ(result.summary, "0 個のファイルを処理しました");
    task.source = src;
    task.destination = dir.File("missing");
    EXPECT_EQ(Run().outcome, BatchOutcome::Failed);
    ASSERT_EQ(Headless().Messages().size(), 2u);
    EXPECT_EQ(Headless().Messages()[0].text,
              "Test:転送元ディレクトリが存在しません\n" + dir.File("missing"));
    EXPECT_EQ(Headless().Messages()[1].text,
              "Test:転送先ディレクトリが存在しません\n" + dir.File("missing"));
    EXPECT_TRUE(task.links.empty());
}

TEST_F(BatchJobTest, AbortInTheSearchOrInProcessing) {
    Touch({"a.jpg", "b.jpg", "c.jpg", "d/e.jpg"});
    frontEnd.eventsLeft = 2;
    BatchResult result = Run();
    EXPECT_EQ(result.outcome, BatchOutcome::Cancelled);
    EXPECT_TRUE(task.links.empty());
    EXPECT_EQ(result.summary, std::to_string(result.count) + " 個のファイルを処理しました");
    EXPECT_LE(result.count, 2); // the files found before the abort

    // One event per directory entry in the search (5) and in processing's listing of the root
    // (4), then one before each file.
    frontEnd.eventsLeft = 5 + 4 + 2;
    result = Run();
    EXPECT_EQ(result.outcome, BatchOutcome::Cancelled);
    EXPECT_EQ(task.links, (Names{"./src/a.jpg", "./src/b.jpg"}));
    EXPECT_EQ(result.count, 3); // c.jpg was handed over when the abort was seen
    EXPECT_EQ(Log(), kEmptyLog);
    EXPECT_FALSE(fs::exists(dst + "/d"));
}

TEST_F(BatchJobTest, DestinationThatCannotBeMadeSkipsItsLevelOnly) {
    Touch({"a/x.jpg", "a/y.jpg", "a/deeper/z.jpg", "b/w.jpg"});
    task.beforeFile = [&] { std::ofstream(dst + "/a") << "a file, not a directory"; };
    BatchResult result = Run();
    EXPECT_EQ(task.links, (Names{"./src/b/w.jpg"}));
    EXPECT_EQ(TempDir::Read(dst + "/a"), "a file, not a directory");
    EXPECT_EQ(result.count, 2); // x.jpg was handed over, y.jpg and deeper/ were skipped
    EXPECT_EQ(result.failures, 2);
    const std::string message = "[Can't MKDIR of " + fs::canonical(dst).string() + "/a]";
    EXPECT_EQ(Log(), "<HTML><BODY>\n" + ErrorLine(message + "\n") + ErrorLine(message + "\n") +
                         "</BODY></HTML>\n");
    EXPECT_EQ(frontEnd.failures, Names(2, message));
}

TEST_F(BatchJobTest, DirectoryRemovedAfterCountingIsLoggedAndSiblingsGoOn) {
    Touch({"a.jpg", "gone/x.jpg", "kept/y.jpg"});
    task.beforeFile = [&] { fs::remove_all(src + "/gone"); };
    EXPECT_EQ(Run().outcome, BatchOutcome::Completed);
    EXPECT_EQ(task.links, (Names{"./src/a.jpg", "./src/kept/y.jpg"}));
    EXPECT_EQ(Log(), "<HTML><BODY>\n" +
                         ErrorLine("[Can't CHDIR to : " + fs::canonical(src).string() + "/gone]") +
                         "</BODY></HTML>\n");
}

TEST_F(BatchJobTest, LinkCyclesAndADestinationInsideTheSourceAreNotEntered) {
    Touch({"a.jpg", "sub/b.jpg"});
    fs::create_directory_symlink(src, src + "/sub/loop");
    fs::create_directory_symlink(src + "/sub", src + "/alias"); // another way in: walked
    task.destination = dst = src + "/out";
    BatchResult result = Run();
    EXPECT_EQ(task.links, (Names{"./src/a.jpg", "./src/alias/b.jpg", "./src/sub/b.jpg"}));
    EXPECT_EQ(result.total, 3);
    EXPECT_FALSE(fs::exists(src + "/out/out"));

    // Source and destination the same; relative roots resolve against the current directory.
    const fs::path before = fs::current_path();
    fs::current_path(src);
    task.source = task.destination = ".";
    task.recurse = false;
    Run();
    fs::current_path(before);
    EXPECT_EQ(task.links, (Names{"./src/a.jpg"}));
    EXPECT_TRUE(fs::exists(src + "/a.out"));
}

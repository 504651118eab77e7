#include "batch/BatchCommand.h"
#include "batch/BatchPaths.h"
#include "batch/NameOrder.h"
#include "platform/HeadlessPlatform.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace fs = std::filesystem;

namespace {

// What the task saw of one file.
struct Seen {
    std::string source, link, image, destination, output;
};

// Copies every file to its output name with ".out" in place of its extension.
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
        if (!job.BeginProcessing()) return false;
        if (!logPath.empty() && !job.OpenLog(logPath)) return false;
        job.ProcessDirectory();
        job.Log().Close();
        return true;
    }
    std::string OutputName(const std::string& name) const override {
        const size_t dot = name.rfind('.');
        return (dot == std::string::npos ? name : name.substr(0, dot)) + ".out";
    }
    bool ProcessFile(CBatchJob& job) override {
        if (beforeFile) beforeFile(job);
        if (!job.EnsureDestinationDirectory()) return false;
        seen.push_back({job.SourcePath(), job.LinkPath(), job.ImagePath(), job.DestinationPath(),
                        job.OutputName()});
        fs::copy_file(job.SourcePath(), job.DestinationPath(),
                      fs::copy_options::overwrite_existing);
        return true;
    }

    std::string source, destination, logPath;
    bool recurse = true, extensionFilter = true;
    std::string extensionList = ".jpg;.jfif;.jpeg";
    std::function<void(CBatchJob&)> beforeFile;
    std::vector<Seen> seen;
};

// Records what the progress window would show; stops after a number of events when asked.
class RecordingProgress : public IBatchProgress {
public:
    void SetStatus(const std::string& text) override { statuses.push_back(text); }
    void SetCounter(const std::string& text) override { counter = text; }
    void SetPath(const std::string& text) override { path = text; }
    void SetRange(int total) override { range = total, position = 0; }
    void Step() override { ++position; }
    bool KeepGoing() override {
        ++events;
        return --eventsLeft >= 0;
    }
    void Failed(const std::string& message) override { failures.push_back(message); }

    std::vector<std::string> statuses, failures;
    std::string counter, path;
    int range = -1, position = 0;
    int eventsLeft = 1 << 30;
    int events = 0;
};

class FrontEnd : public IBatchFrontEnd {
public:
    bool EditSettings() override { return confirm; }
    IBatchProgress* OpenProgress() override { return &progress; }
    void EnableMainWindow(bool enable) override { enabled.push_back(enable); }
    void ShowSummary(const std::string& text) override { summary = text; }

    bool confirm = true;
    RecordingProgress progress;
    std::vector<bool> enabled;
    std::string summary;
};

class BatchJobTest : public ::testing::Test {
protected:
    void SetUp() override {
        Headless().ClearMessages();
        fs::create_directories(src);
        fs::create_directories(dst);
        task.source = src;
        task.destination = dst;
    }
    void TearDown() override { Headless().ClearMessages(); }

    void Touch(const std::string& relative) {
        fs::create_directories(fs::path(src + "/" + relative).parent_path());
        std::ofstream(src + "/" + relative) << relative;
    }
    std::vector<std::string> Links() const {
        std::vector<std::string> links;
        for (const Seen& file : task.seen)
            links.push_back(file.link);
        return links;
    }
    BatchResult Run() { return RunBatchCommand(task, frontEnd); }

    TempDir dir;
    std::string src = dir.File("src"), dst = dir.File("dst");
    CopyTask task;
    FrontEnd frontEnd;
};

} // namespace

TEST(NameOrder, SortsIgnoringAsciiCaseThenByBytes) {
    std::vector<std::string> names = {"b.jpg", "A.jpg", "_c.jpg", "a10.jpg", "a2.jpg", "a.jpg"};
    SortNames(names);
    EXPECT_EQ(names,
              (std::vector<std::string>{"_c.jpg", "A.jpg", "a.jpg", "a10.jpg", "a2.jpg", "b.jpg"}));
    EXPECT_LT(CompareNames("Z", "\xE3\x81\x82"), 0); // bytes above 0x7F sort last
    EXPECT_LT(CompareNames("ab", "ABC"), 0);
}

TEST(BatchPaths, RootsFolderTextsAndLogPaths) {
    TempDir dir;
    std::string root;
    ASSERT_TRUE(NormaliseRoot(dir.Path() + "/./", root));
    EXPECT_EQ(root, fs::canonical(dir.Path()).string());
    ASSERT_TRUE(NormaliseRoot("/", root));
    EXPECT_EQ(root, "");
    EXPECT_FALSE(NormaliseRoot(dir.File("missing"), root));
    EXPECT_FALSE(NormaliseRoot(dir.Write("file", "x"), root));
    EXPECT_FALSE(NormaliseRoot("", root));

    EXPECT_EQ(EnsureTrailingSlash(""), "");
    EXPECT_EQ(EnsureTrailingSlash("/a"), "/a/");
    EXPECT_EQ(BrowseStartFolder("/"), "/");
    EXPECT_EQ(BrowseStartFolder("/photos/"), "/photos");
    EXPECT_EQ(LogPathInFolder("/out", "/home/u/blkcnv.htm"), "/out/blkcnv.htm");
    EXPECT_EQ(LogPathInFolder("/", "log.htm"), "/log.htm");
}

TEST_F(BatchJobTest, SelectsByExtensionList) {
    for (const char* name : {"PHOTO.JPG", "a.b.jpeg", "x.jfif", "x.jpe", "noext", "x.jpg.bak"})
        Touch(name);
    fs::create_directories(src + "/dir.jpg");
    Run();
    EXPECT_EQ(Links(), (std::vector<std::string>{"./a.b.jpeg", "./PHOTO.JPG", "./x.jfif"}));

    task.seen.clear();
    task.extensionList = ".jpg;;.bak";
    Run();
    EXPECT_EQ(Links(), (std::vector<std::string>{"./PHOTO.JPG", "./x.jpg.bak"}));

    task.seen.clear();
    task.extensionFilter = false;
    task.recurse = false;
    BatchResult result = Run();
    EXPECT_EQ(Links(), (std::vector<std::string>{"./a.b.jpeg", "./noext", "./PHOTO.JPG", "./x.jfif",
                                                 "./x.jpe", "./x.jpg.bak"}));
    EXPECT_EQ(result.total, 6);
    EXPECT_EQ(task.seen[1].output, "noext.out");
}

TEST_F(BatchJobTest, WalksFilesThenSubdirectoriesInNameOrder) {
    for (const char* name : {"b.jpg", "A.jpg", "_c.jpg", "a10.jpg", "a2.jpg"})
        Touch(name);
    for (const char* name : {"z.jpg", "sub/y.jpg", "a.jpg", "Sub2/deep/x.jpg", "empty/no.txt"})
        Touch(std::string("tree/") + name);
    task.logPath = dir.File("log.htm");
    BatchResult result = Run();

    EXPECT_EQ(Links(), (std::vector<std::string>{"./_c.jpg", "./A.jpg", "./a10.jpg", "./a2.jpg",
                                                 "./b.jpg", "./tree/a.jpg", "./tree/z.jpg",
                                                 "./tree/sub/y.jpg", "./tree/Sub2/deep/x.jpg"}));
    const Seen& deep = task.seen.back();
    const std::string source = fs::canonical(src).string(), out = fs::canonical(dst).string();
    EXPECT_EQ(deep.source, source + "/tree/Sub2/deep/x.jpg");
    EXPECT_EQ(deep.image, "./tree/Sub2/deep/x.out");
    EXPECT_EQ(deep.destination, out + "/tree/Sub2/deep/x.out");
    EXPECT_EQ(TempDir::Read(deep.destination), "tree/Sub2/deep/x.jpg");
    // Directories are made on the way down to a file; one with nothing to write is not.
    EXPECT_TRUE(fs::is_directory(dst + "/tree/Sub2"));
    EXPECT_FALSE(fs::exists(dst + "/tree/empty"));

    EXPECT_EQ(result.outcome, BatchOutcome::Completed);
    EXPECT_EQ(result.total, 9);
    EXPECT_EQ(result.count, 9);
    EXPECT_EQ(result.summary, "9 個のファイルを処理しました");
    EXPECT_EQ(frontEnd.summary, result.summary);
    EXPECT_EQ(frontEnd.enabled, (std::vector<bool>{false, true}));
    EXPECT_EQ(
        frontEnd.progress.statuses,
        (std::vector<std::string>{"ファイルを検索しています...", "ファイルを処理しています..."}));
    EXPECT_EQ(frontEnd.progress.counter, "9 / 9");
    EXPECT_EQ(frontEnd.progress.range, 9);
    EXPECT_EQ(frontEnd.progress.position, 9);
    EXPECT_EQ(TempDir::Read(task.logPath), "<HTML><BODY>\n</BODY></HTML>\n");
}

TEST_F(BatchJobTest, TheSmallTreeOfTheLogExample) {
    for (const char* name : {"z.jpg", "sub/y.jpg", "a.jpg"})
        Touch(name);
    Run();
    EXPECT_EQ(Links(), (std::vector<std::string>{"./a.jpg", "./z.jpg", "./sub/y.jpg"}));
    task.seen.clear();
    task.recurse = false;
    EXPECT_EQ(Run().total, 2);
    EXPECT_EQ(Links(), (std::vector<std::string>{"./a.jpg", "./z.jpg"}));
}

TEST_F(BatchJobTest, SettingsCancelledOrSourceMissing) {
    Touch("a.jpg");
    frontEnd.confirm = false;
    EXPECT_EQ(Run().outcome, BatchOutcome::NotRun);
    EXPECT_TRUE(frontEnd.summary.empty());

    frontEnd.confirm = true;
    task.source = dir.File("missing");
    BatchResult result = Run();
    EXPECT_EQ(result.outcome, BatchOutcome::Failed);
    EXPECT_EQ(result.summary, "0 個のファイルを処理しました");
    ASSERT_EQ(Headless().Messages().size(), 1u);
    EXPECT_EQ(Headless().Messages()[0].text,
              "Test:転送元ディレクトリが存在しません\n" + dir.File("missing"));

    Headless().ClearMessages();
    task.source = src;
    task.destination = dir.File("missing");
    EXPECT_EQ(Run().outcome, BatchOutcome::Failed);
    EXPECT_EQ(Headless().Messages()[0].text,
              "Test:転送先ディレクトリが存在しません\n" + dir.File("missing"));
    EXPECT_TRUE(task.seen.empty());
}

TEST_F(BatchJobTest, AbortInTheSearchSkipsProcessing) {
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg", "d/e.jpg"})
        Touch(name);
    frontEnd.progress.eventsLeft = 2;
    BatchResult result = Run();
    EXPECT_EQ(result.outcome, BatchOutcome::Cancelled);
    EXPECT_TRUE(task.seen.empty());
    EXPECT_LE(result.count, 2); // the files found before the abort
    EXPECT_EQ(result.summary, std::to_string(result.count) + " 個のファイルを処理しました");
}

TEST_F(BatchJobTest, AbortInProcessingStillEndsTheLog) {
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg", "d/e.jpg"})
        Touch(name);
    task.logPath = dir.File("log.htm");
    // One event per directory entry in the search (5) and again when processing reads the
    // root (4), then one before each file.
    frontEnd.progress.eventsLeft = 5 + 4 + 2;
    BatchResult result = Run();
    EXPECT_EQ(result.outcome, BatchOutcome::Cancelled) << frontEnd.progress.events;
    EXPECT_EQ(Links(), (std::vector<std::string>{"./a.jpg", "./b.jpg"}));
    EXPECT_EQ(result.count, 3); // c.jpg was handed over when the abort was seen
    EXPECT_EQ(TempDir::Read(task.logPath), "<HTML><BODY>\n</BODY></HTML>\n");
    EXPECT_FALSE(fs::exists(dst + "/d"));
}

TEST_F(BatchJobTest, DestinationThatCannotBeMadeSkipsItsLevelOnly) {
    for (const char* name : {"a/x.jpg", "a/y.jpg", "a/deeper/z.jpg", "b/w.jpg"})
        Touch(name);
    std::ofstream(dst + "/a") << "a file where the directory should go";
    task.logPath = dir.File("log.htm");
    BatchResult result = Run();
    const std::string out = fs::canonical(dst).string();
    EXPECT_EQ(Links(), (std::vector<std::string>{"./b/w.jpg"}));
    EXPECT_EQ(TempDir::Read(dst + "/a"), "a file where the directory should go");
    EXPECT_EQ(result.outcome, BatchOutcome::Completed);
    EXPECT_EQ(result.count, 2); // x.jpg was handed over, y.jpg and deeper/ were skipped
    EXPECT_EQ(result.failures, 2);
    const std::string line =
        "<FONT color=\"red\"><STRONG>[Can't MKDIR of " + out + "/a]\n</STRONG></FONT><BR>\n";
    EXPECT_EQ(TempDir::Read(task.logPath), "<HTML><BODY>\n" + line + line + "</BODY></HTML>\n");
    EXPECT_EQ(frontEnd.progress.failures,
              (std::vector<std::string>(2, "[Can't MKDIR of " + out + "/a]")));
}

TEST_F(BatchJobTest, DirectoryRemovedAfterCountingIsLoggedAndSiblingsGoOn) {
    for (const char* name : {"a.jpg", "gone/x.jpg", "kept/y.jpg"})
        Touch(name);
    task.logPath = dir.File("log.htm");
    task.beforeFile = [&](CBatchJob&) { fs::remove_all(src + "/gone"); };
    BatchResult result = Run();
    EXPECT_EQ(Links(), (std::vector<std::string>{"./a.jpg", "./kept/y.jpg"}));
    EXPECT_EQ(result.outcome, BatchOutcome::Completed);
    EXPECT_EQ(TempDir::Read(task.logPath),
              "<HTML><BODY>\n<FONT color=\"red\"><STRONG>[Can't CHDIR to : " +
                  fs::canonical(src).string() + "/gone]</STRONG></FONT><BR>\n</BODY></HTML>\n");
}

TEST_F(BatchJobTest, LinkCyclesAndADestinationInsideTheSourceAreNotEntered) {
    Touch("a.jpg");
    Touch("sub/b.jpg");
    fs::create_directory_symlink(src, src + "/sub/loop");
    fs::create_directory_symlink(src + "/sub", src + "/alias"); // a second way in: walked too
    task.destination = src + "/out";
    fs::create_directories(task.destination);
    BatchResult result = Run();
    EXPECT_EQ(Links(), (std::vector<std::string>{"./a.jpg", "./alias/b.jpg", "./sub/b.jpg"}));
    EXPECT_EQ(result.total, 3);
    EXPECT_TRUE(fs::exists(src + "/out/alias/b.out"));
    EXPECT_FALSE(fs::exists(src + "/out/out"));

    // Source and destination the same: the outputs land beside their sources.
    task.seen.clear();
    task.destination = src;
    task.recurse = false;
    Run();
    EXPECT_EQ(Links(), (std::vector<std::string>{"./a.jpg"}));
    EXPECT_TRUE(fs::exists(src + "/a.out"));
}

TEST_F(BatchJobTest, RelativeRootsResolveAgainstTheStartingDirectory) {
    Touch("sub/a.jpg");
    const fs::path before = fs::current_path();
    fs::current_path(dir.Path());
    task.source = "src";
    task.destination = "dst";
    BatchResult result = Run();
    fs::current_path(before);
    EXPECT_EQ(result.count, 1);
    EXPECT_TRUE(fs::exists(dst + "/sub/a.out"));
}

#include "batch/FilterTask.h"
#include "base/HeadlessPlatform.h"
#include "batch/BatchCommand.h"
#include "jpegtools/JpegCodecSupport.h"
#include "settings/SettingOverride.h"
#include "support/TempDir.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

// Silent progress that can act when processing reaches a given file.
class HookProgress : public CSilentProgress {
public:
    void SetRange(int total) override { processing = total > 0; }
    void Step() override { ++position; }
    bool KeepGoing() override {
        if (processing && onFile) onFile(position);
        return true;
    }

    bool processing = false;
    int position = 0;
    std::function<void(int)> onFile;
};

class FrontEnd : public IBatchFrontEnd {
public:
    bool EditSettings() override { return true; }
    IBatchProgress* OpenProgress() override { return &progress; }
    void ShowSummary(const BatchResult& result) override { summary = result.summary; }

    HookProgress progress;
    std::string summary;
};

// Filtered by the defaults and RemoveCOM, it loses 44 bytes: the comment segment (28), one DQT
// header and three DHT headers.
std::string JpegWithComment(int width) {
    TestJpegRecipe recipe;
    recipe.width = width;
    recipe.markers = {{0xFE, "a comment of some length"}};
    return EncodeTestJpeg(recipe);
}

class FilterTask : public ::testing::Test {
protected:
    FilterTask() {
        Headless().ClearMessages();
        fs::create_directories(src);
        fs::create_directories(dst);
        filter.srcDirectory = src;
        filter.dstDirectory = dst;
        filter.createLog = 1;
        filter.logFilePath = dir.File("log.htm");
        filter.options.removeCom = 1;
        settings.tempDir = dir.Path();
    }
    ~FilterTask() override { Headless().ClearMessages(); }

    BatchResult Run() {
        CFilterTask task(settings, filter);
        return RunBatchCommand(task, frontEnd);
    }
    std::string Log() const { return TempDir::Read(filter.logFilePath); }

    TempDir dir;
    std::string src = fs::canonical(dir.Path()).string() + "/src";
    std::string dst = fs::canonical(dir.Path()).string() + "/dst";
    SettingsStore settings;
    BulkFltSettings filter;
    FrontEnd frontEnd;
};

} // namespace

TEST(FilterTaskNames, OutputNameEndsInJpg) {
    SettingsStore settings;
    CFilterTask task(settings, BulkFltSettings{});
    EXPECT_EQ(task.OutputName("a.JPEG"), "a.jpg");
    EXPECT_EQ(task.OutputName("b.jpg"), "b.jpg");
    EXPECT_EQ(task.OutputName("c.d.JPG"), "c.d.jpg");
    EXPECT_EQ(task.OutputName("noext"), "noext.jpg");
}

TEST_F(FilterTask, WritesFilesLogEntriesAndBytesSaved) {
    const std::string a = JpegWithComment(40), b = JpegWithComment(24);
    std::ofstream(src + "/a.JPEG", std::ios::binary) << a;
    fs::create_directories(src + "/sub");
    std::ofstream(src + "/sub/b.jpg", std::ios::binary) << b;
    filter.recurseDir = 1;
    const BatchResult result = Run();

    EXPECT_EQ(result.outcome, BatchOutcome::Completed);
    const size_t aSize = fs::file_size(dst + "/a.jpg"), bSize = fs::file_size(dst + "/sub/b.jpg");
    EXPECT_EQ(aSize, a.size() - 44);
    EXPECT_EQ(bSize, b.size() - 44);
    EXPECT_EQ(result.summary, "2 個のファイルを処理しました(88 バイトの削減)");
    EXPECT_EQ(Log(), "<HTML><BODY>\n"
                     "<A href=\"./dst/a.jpg\">" +
                         dst +
                         "/a.jpg</A><BR>\n"
                         "width=40 height=16 (" +
                         std::to_string(aSize) +
                         "bytes)<BR>\n"
                         "Size=" +
                         std::to_string(aSize) +
                         "bytes(44)<BR>\n"
                         "<BR>\n\n"
                         "<A href=\"./dst/sub/b.jpg\">" +
                         dst +
                         "/sub/b.jpg</A><BR>\n"
                         "width=24 height=16 (" +
                         std::to_string(bSize) +
                         "bytes)<BR>\n"
                         "Size=" +
                         std::to_string(bSize) +
                         "bytes(44)<BR>\n"
                         "<BR>\n\n"
                         "</BODY></HTML>\n");
}

// A file without a frame (not a JPEG) is logged with no size, not with the size of the file
// before it.
TEST_F(FilterTask, EachLogEntryGivesItsOwnFileSize) {
    std::ofstream(src + "/a.jpg", std::ios::binary) << JpegWithComment(40);
    std::ofstream(src + "/b.png", std::ios::binary) << "not a JPEG";
    filter.extFilter = 0;
    EXPECT_EQ(Run().failures, 0);
    const std::string log = Log();
    const size_t b = log.find("/b.jpg</A><BR>\nwidth=0 height=0 (");
    EXPECT_NE(b, std::string::npos) << log;
    EXPECT_LT(log.find("/a.jpg</A><BR>\nwidth=40 height=16 ("), b);
}

// Source and destination the same directory: b.jpg is rewritten in place, x.jpeg gets a new
// x.jpg beside it, and no temporary file stays.
TEST_F(FilterTask, FiltersInPlace) {
    const std::string jpeg = JpegWithComment(24), other = JpegWithComment(16);
    std::ofstream(src + "/b.jpg", std::ios::binary) << jpeg;
    std::ofstream(src + "/x.jpeg", std::ios::binary) << jpeg;
    // a.jpeg would become a.jpg, which is a source of its own: it is not written over.
    std::ofstream(src + "/a.jpeg", std::ios::binary) << other;
    std::ofstream(src + "/a.jpg", std::ios::binary) << jpeg;
    filter.dstDirectory = src;
    filter.createLog = 0;
    TempDir temporary;
    settings.tempDir = temporary.Path();
    const BatchResult result = Run();
    EXPECT_EQ(result.summary, "4 個のファイルを処理しました(132 バイトの削減)");
    EXPECT_EQ(result.failures, 1);
    EXPECT_EQ(fs::file_size(src + "/a.jpg"), jpeg.size() - 44);
    EXPECT_EQ(TempDir::Read(src + "/a.jpeg"), other);
    EXPECT_EQ(fs::file_size(src + "/b.jpg"), jpeg.size() - 44);
    EXPECT_EQ(TempDir::Read(src + "/x.jpeg"), jpeg);
    EXPECT_EQ(fs::file_size(src + "/x.jpg"), jpeg.size() - 44);
    EXPECT_TRUE(fs::is_empty(temporary.Path()));
    EXPECT_EQ(std::distance(fs::directory_iterator(src), fs::directory_iterator()), 5);
}

// Failures of single files are logged and lose nothing: a source removed after the count, a
// destination that is a directory, a destination directory in the way of a file.
TEST_F(FilterTask, FailedFilesAreLoggedAndLoseNothing) {
    const std::string jpeg = JpegWithComment(24);
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg", "sub/d.jpg"}) {
        fs::create_directories(fs::path(src + "/" + name).parent_path());
        std::ofstream(src + "/" + name, std::ios::binary) << jpeg;
    }
    fs::create_directories(dst + "/c.jpg");
    std::ofstream(dst + "/sub") << "a file where the directory would go";
    frontEnd.progress.onFile = [&](int position) {
        if (position == 2) fs::remove(src + "/b.jpg");
    };
    filter.recurseDir = 1;
    const BatchResult result = Run();
    EXPECT_EQ(result.failures, 3);
    EXPECT_EQ(result.summary, "4 個のファイルを処理しました(44 バイトの削減)");
    const std::string log = Log();
    EXPECT_NE(log.find("<FONT color=\"red\"><STRONG>[Can't open file : " + src +
                       "/b.jpg]</STRONG></FONT><BR>\n"),
              std::string::npos);
    EXPECT_NE(log.find("<FONT color=\"red\"><STRONG>[Can't Save to " + dst +
                       "/c.jpg]</STRONG></FONT><BR>\n"),
              std::string::npos);
    EXPECT_NE(log.find("<FONT color=\"red\"><STRONG>[Can't MKDIR of " + dst +
                       "/sub]\n</STRONG></FONT><BR>\n"),
              std::string::npos);
    EXPECT_EQ(TempDir::Read(dst + "/sub"), "a file where the directory would go");
    EXPECT_EQ(TempDir::Read(src + "/c.jpg"), jpeg);
}

TEST_F(FilterTask, MissingRootsAndLogStopTheRun) {
    std::ofstream(src + "/a.jpg", std::ios::binary) << JpegWithComment(24);
    filter.dstDirectory = dir.File("missing");
    EXPECT_EQ(Run().outcome, BatchOutcome::Failed);
    ASSERT_EQ(Headless().Messages().size(), 1u);
    EXPECT_EQ(Headless().Messages()[0].text,
              "BulkFlt:転送先ディレクトリが存在しません\n" + dir.File("missing"));
    Headless().ClearMessages();
    filter.dstDirectory = dst;
    filter.logFilePath = dir.File("missing/log.htm");
    EXPECT_EQ(Run().outcome, BatchOutcome::Failed);
    ASSERT_EQ(Headless().Messages().size(), 1u);
    EXPECT_EQ(Headless().Messages()[0].text,
              "BulkFlt:ログファイルが作成できません\n" + dir.File("missing/log.htm"));
    EXPECT_TRUE(fs::is_empty(dst));
}

TEST(BulkFltSettingsTest, DefaultsRoundTripAndOverrides) {
    const char* home = std::getenv("HOME");
    const std::string oldHome = home ? home : "";
    setenv("HOME", "/home/someone", 1);
    ProfileFile profile;
    const BulkFltSettings defaults = LoadBulkFltSettings(profile);
    setenv("HOME", oldHome.c_str(), 1);
    EXPECT_EQ(defaults.srcDirectory, "/home/someone");
    EXPECT_EQ(defaults.logFilePath, "/home/someone/blkflt.htm");
    EXPECT_EQ(defaults.options.removeThumb, 1);
    EXPECT_EQ(defaults.options.removeCom, 0);
    EXPECT_EQ(defaults.options.removeApp[14], 1);
    EXPECT_EQ(defaults.extFilter, 1);

    StoreBulkFltSettings(defaults, profile);
    std::string expected = "[bulkfilter]\nSrcDirectory=/home/someone\nDstDirectory=/home/someone\n"
                           "CreateLog=0\nLogFilePath=/home/someone/blkflt.htm\nRemoveThumb=1\n"
                           "RemoveJFXX=1\nRemoveAppX=1\nUniteDQT=1\nUniteDHT=1\nRemoveCOM=0\n"
                           "ConvertExif=0\nExifGenCmt=1\nExifGenEng=0\nExifUserCmt=1\n";
    for (int n = 1; n <= 15; ++n)
        expected += "RemoveAPP" + std::to_string(n) + "=1\n";
    expected += "ExtFilter=1\nStrExtFilter=.jpg;.jfif;.jpeg\nRecurseDir=0\n";
    EXPECT_EQ(profile.Text(), expected);

    SettingsStore store;
    RegisterBulkFltKeys();
    std::string error;
    ASSERT_TRUE(ApplySettingOverride(store, "bulkfilter.RemoveAPP2=0", error)) << error;
    ASSERT_TRUE(ApplySettingOverride(store, "bulkfilter.ConvertExif=1", error)) << error;
    EXPECT_FALSE(ApplySettingOverride(store, "bulkfilter.RemoveAPP16=0", error));
    const BulkFltSettings changed = LoadBulkFltSettings(store.profile);
    EXPECT_EQ(changed.options.removeApp[1], 0);
    EXPECT_EQ(changed.options.convertExif, 1);
}

#include "batch/ConversionTask.h"
#include "base/FileExtension.h"
#include "batch/BatchCommand.h"
#include "batch/BatchPaths.h"
#include "batch/BulkConvSettings.h"
#include "core/DocFixture.h"
#include "core/DocTemplate.h"
#include "core/FormatTable.h"
#include "settings/SettingOverride.h"

#include <filesystem>
#include <functional>

namespace fs = std::filesystem;

namespace {

ImageSize Target(int width, int height, int mode, int align, int baseWidth, int baseHeight,
                 bool notEnlarge = false) {
    BulkConvSettings settings;
    settings.sizeConvertMode = mode;
    settings.sizeAlignMode = align;
    settings.sizeWidth = baseWidth;
    settings.sizeHeight = baseHeight;
    settings.notEnlarge = notEnlarge;
    return ConversionTargetSize({width, height}, settings);
}

bool CanWrite(int type) {
    const ImageFormat* format = FindImageFormat(type);
    return format && format->write;
}

// Runs the command without dialogs; beforeFirstFile runs once the walk has listed the root.
class QuietFrontEnd : public IBatchFrontEnd, public CSilentProgress {
public:
    bool EditSettings() override { return true; }
    IBatchProgress* OpenProgress() override { return this; }
    void ShowSummary(const BatchResult&) override {}
    void Step() override {
        if (beforeFirstFile) std::exchange(beforeFirstFile, nullptr)();
    }

    std::function<void()> beforeFirstFile;
};

class ConversionTest : public DocTest {
protected:
    void SetUp() override {
        DocTest::SetUp();
        fs::create_directories(src);
        fs::create_directories(dst);
        settings.srcDirectory = src;
        settings.dstDirectory = dst;
        settings.strExtFilter = ".bmp";
        settings.extThrough = 1; // BMP in, BMP out
        settings.logFilePath = dir.File("log.htm");
        settings.createLog = 1;
    }
    std::string Bmp(const std::string& name, int width, int height) {
        fs::create_directories(fs::path(src + "/" + name).parent_path());
        CImageDoc document{context};
        document.ReplaceImage(MakeImage(width, height, Gradient(width, height)));
        EXPECT_TRUE(document.SaveFile(src + "/" + name));
        return src + "/" + name;
    }
    BatchResult Run() {
        HostedDocuments documents{host};
        CConversionTask task(settings, documents);
        BatchResult result = RunBatchCommand(task, frontEnd);
        EXPECT_TRUE(documents.Documents().empty()); // the work document is closed
        return result;
    }
    std::string Log() const { return TempDir::Read(settings.logFilePath); }
    static std::string ErrorLine(const std::string& message) {
        return "<FONT color=\"red\"><STRONG>" + message + "</STRONG></FONT><BR>\n";
    }
    // Width and height of a written file, read back.
    std::string SizeOf(const std::string& path) const {
        CImageDoc document{context};
        if (!document.LoadFile(path)) return "unreadable";
        return std::to_string(document.ImageWidth()) + "x" + std::to_string(document.ImageHeight());
    }

    std::string src = dir.File("src"), dst = dir.File("dst");
    BulkConvSettings settings = DefaultBulkConvSettings();
    QuietFrontEnd frontEnd;
};

} // namespace

TEST(ConversionRules, TargetSizes) {
    EXPECT_EQ(Target(640, 480, 0, 0, 80, 80), (ImageSize{80, 60}));
    EXPECT_EQ(Target(480, 640, 0, 0, 80, 80), (ImageSize{60, 80}));
    EXPECT_EQ(Target(500, 500, 0, 0, 80, 80), (ImageSize{80, 80}));
    EXPECT_EQ(Target(1000, 333, 0, 0, 80, 80), (ImageSize{80, 26}));
    EXPECT_EQ(Target(60, 40, 0, 0, 80, 80, true), (ImageSize{60, 40}));
    EXPECT_EQ(Target(100, 100, 1, 0, 80, 200, true), (ImageSize{80, 100}));
    EXPECT_EQ(Target(100, 100, 7, 0, 80, 200), (ImageSize{80, 200})); // unknown mode: base size
    EXPECT_EQ(Target(123, 45, 2, 0, 80, 80), (ImageSize{123, 45}));
    EXPECT_EQ(Target(480, 640, 0, 1, 80, 90), (ImageSize{80, 106})); // fit the width
    EXPECT_EQ(Target(640, 480, 0, 2, 80, 90), (ImageSize{120, 90})); // fit the height
    EXPECT_EQ(Target(640, 480, 0, 3, 80, 90), (ImageSize{80, 90}));
    // A side that would become 0 stays 1; products do not overflow.
    EXPECT_EQ(Target(10000, 50, 0, 0, 80, 80), (ImageSize{80, 1}));
    EXPECT_EQ(Target(65535, 65535, 0, 1, 2000000000, 80), (ImageSize{2000000000, 2000000000}));
    EXPECT_EQ(Target(640, 480, 0, 0, 0, 80), (ImageSize{0, 0}));
}

TEST(ConversionRules, OutputNames) {
    EXPECT_EQ(ConversionOutputName("Photo.JPEG", ".jpg", false), "Photo.jpg");
    EXPECT_EQ(ConversionOutputName("Photo.JPEG", ".png", true), "Photo.png");
    EXPECT_EQ(ConversionOutputName("scan.BMP", ".jpg", true), "scan.BMP");
    EXPECT_EQ(ConversionOutputName("scan.BMP", ".jpg", false), "scan.jpg");
    EXPECT_EQ(ConversionOutputName("a.b.Png", ".jpg", true), "a.b.Png");
    EXPECT_EQ(ConversionOutputName("x.tif", ".jpg", true), "x.jpg");
    EXPECT_EQ(ConversionOutputName("README", ".jpg", true), "README.jpg");
}

TEST(ConversionRules, SettingsSection) {
    EXPECT_EQ(DefaultBulkConvSettings().logFilePath, HomeDirectory() + "/blkcnv.htm");
    ProfileFile profile;
    profile.Parse("[bulkconv]\nsizewidth=160\nStrExtFilter=.bmp\nUsePngFormat=1\n");
    BulkConvSettings loaded = LoadBulkConvSettings(profile);
    loaded.srcDirectory = "/in";
    loaded.dstDirectory = "/out";
    loaded.logFilePath = "/out/log.htm";
    ProfileFile written;
    StoreBulkConvSettings(loaded, written);
    EXPECT_EQ(written.Text(), "[bulkconv]\nSrcDirectory=/in\nDstDirectory=/out\nCreateLog=0\n"
                              "LogFilePath=/out/log.htm\nSizeConvertMode=0\nSizeAlignMode=0\n"
                              "SizeWidth=160\nSizeHeight=80\nNotEnlarge=0\nExtFilter=1\n"
                              "StrExtFilter=.bmp\nRecurseDir=0\nUsePngFormat=1\nExtThrough=0\n"
                              "AltIsOriginalSize=0\n");

    SettingsStore store;
    std::string error;
    RegisterBulkConvKeys();
    EXPECT_TRUE(ApplySettingOverride(store, "bulkconv.AltIsOriginalSize=1", error));
    EXPECT_FALSE(ApplySettingOverride(store, "bulkconv.Param1=1", error));
    EXPECT_EQ(LoadBulkConvSettings(store.profile).altIsOriginalSize, 1);
}

TEST_F(ConversionTest, ConvertsTheTreeAndLogsEveryFile) {
    Bmp("a.bmp", 640, 480);
    Bmp("sub/tall.bmp", 30, 40);
    const std::string broken = src + "/broken.bmp";
    std::ofstream(broken) << "not a bitmap";
    settings.recurseDir = 1;
    BatchResult result = Run();

    EXPECT_EQ(result.outcome, BatchOutcome::Completed);
    EXPECT_EQ(result.count, 3);
    EXPECT_EQ(result.failures, 1);
    EXPECT_EQ(SizeOf(dst + "/a.bmp"), "80x60");
    EXPECT_EQ(SizeOf(dst + "/sub/tall.bmp"), "60x80");
    EXPECT_FALSE(fs::exists(dst + "/broken.bmp"));
    const std::string root = fs::canonical(src).string();
    EXPECT_EQ(Log(),
              "<HTML><BODY>\n"
              "<A href=\"./src/a.bmp\">\n"
              "<IMG src=\"./dst/a.bmp\" width=80 height=60 alt=\"a.bmp(14.1K)\" align=\"left\" "
              "border=0>\n" +
                  root +
                  "/a.bmp<BR></A>\n"
                  "640 x 480 921,654byte<BR>\n"
                  "80 x 60 14,454byte<BR clear=\"all\"><BR>\n\n" +
                  ErrorLine(root + "/broken.bmp: LoadBmpFile:ビットマップを生成できません") +
                  ErrorLine("[Can't open file : " + root + "/broken.bmp]") +
                  "<A href=\"./src/sub/tall.bmp\">\n"
                  "<IMG src=\"./dst/sub/tall.bmp\" width=60 height=80 alt=\"tall.bmp(14.1K)\" "
                  "align=\"left\" border=0>\n" +
                  root +
                  "/sub/tall.bmp<BR></A>\n"
                  "30 x 40 3,734byte<BR>\n"
                  "60 x 80 14,454byte<BR clear=\"all\"><BR>\n\n"
                  "</BODY></HTML>\n");

    // The source's size in the alt text; no resize in mode 2.
    settings.altIsOriginalSize = 1;
    settings.sizeConvertMode = 2;
    settings.recurseDir = 0;
    fs::remove(broken);
    Run();
    EXPECT_EQ(SizeOf(dst + "/a.bmp"), "640x480");
    EXPECT_NE(Log().find("alt=\"a.bmp(900.0K)\""), std::string::npos) << Log();
}

TEST_F(ConversionTest, FailedStepsAreLoggedAndLoseNothing) {
    const std::string a = Bmp("a.bmp", 64, 48), b = Bmp("b.bmp", 64, 48), c = Bmp("c.bmp", 8, 8);
    const std::string original = TempDir::Read(a);
    fs::create_directories(dst + "/b.bmp"); // where b's output should go stands a directory
    frontEnd.beforeFirstFile = [&] { fs::remove(c); };
    BatchResult result = Run();
    const std::string root = fs::canonical(src).string(), out = fs::canonical(dst).string();
    EXPECT_EQ(result.failures, 2);
    EXPECT_EQ(result.outcome, BatchOutcome::Completed);
    const std::string log = Log();
    const size_t saveFailure = log.find(ErrorLine("[Can't Save to " + out + "/b.bmp]"));
    EXPECT_NE(saveFailure, std::string::npos) << log;
    EXPECT_NE(log.find(ErrorLine("[Can't open file : " + root + "/c.bmp]"), saveFailure),
              std::string::npos)
        << log;
    EXPECT_TRUE(fs::is_directory(dst + "/b.bmp"));
    EXPECT_EQ(TempDir::Read(a), original);

    // A size the scaler refuses: its report goes into the log naming the file, no message box
    // stops the run.
    Headless().ClearMessages();
    settings.sizeConvertMode = 1;
    settings.sizeWidth = 0;
    fs::remove_all(dst + "/b.bmp");
    fs::remove(b);
    Run();
    EXPECT_EQ(Log(),
              "<HTML><BODY>\n" + ErrorLine(root + "/a.bmp: Resize:ビットマップを生成できません") +
                  ErrorLine("[Can't resize image : " + root + "/a.bmp]") + "</BODY></HTML>\n");
    EXPECT_EQ(Messages(), std::vector<std::string>{});
}

// Source and destination one directory: no source is ever written over, its own output
// included; each refusal is a failure of the run.
TEST_F(ConversionTest, SameDirectoryLeavesEverySourceAsItWas) {
    const std::string a = Bmp("a.bmp", 640, 480), b = Bmp("sub/b.bmp", 30, 40);
    const std::string aBytes = TempDir::Read(a), bBytes = TempDir::Read(b);
    settings.dstDirectory = src;
    settings.recurseDir = 1;
    BatchResult result = Run();
    EXPECT_EQ(result.outcome, BatchOutcome::Completed);
    EXPECT_EQ(result.failures, 2);
    EXPECT_EQ(TempDir::Read(a), aBytes);
    EXPECT_EQ(TempDir::Read(b), bBytes);
    const std::string root = fs::canonical(src).string();
    EXPECT_NE(Log().find("[Can't Save to " + root + "/a.bmp]"), std::string::npos);
    EXPECT_NE(Log().find("[Can't Save to " + root + "/sub/b.bmp]"), std::string::npos);
}

TEST_F(ConversionTest, JpegAndPngOutputs) {
    if (!CanWrite(kTypeJpeg) || !CanWrite(kTypePng)) GTEST_SKIP() << "no JPEG or PNG writer";
    Bmp("a.bmp", 640, 480);
    settings.extThrough = 0;
    Run();
    EXPECT_EQ(SizeOf(dst + "/a.jpg"), "80x60");
    settings.usePngFormat = 1;
    AppSettings().defaultComment = 1;
    AppSettings().defaultCommentText = "batch";
    Run();
    EXPECT_EQ(SizeOf(dst + "/a.png"), "80x60");
    CImageDoc png{context};
    ASSERT_TRUE(png.LoadFile(dst + "/a.png"));
    ASSERT_EQ(png.Comments().size(), 1u); // the default comment, once
    EXPECT_EQ(png.Comments()[0]->text, "batch");

    // In one directory, a.bmp's output would replace the user's a.jpg, another source, and
    // a.jpg's its own file: both are refused.
    fs::copy_file(dst + "/a.jpg", src + "/a.jpg");
    settings.dstDirectory = src;
    settings.usePngFormat = 0;
    settings.sizeConvertMode = 2;
    settings.strExtFilter = ".bmp;.jpg";
    const std::string jpegBytes = TempDir::Read(src + "/a.jpg");
    BatchResult result = Run();
    EXPECT_EQ(result.failures, 2);
    EXPECT_EQ(TempDir::Read(src + "/a.jpg"), jpegBytes);
    EXPECT_NE(Log().find("[Can't Save to " + fs::canonical(src).string() + "/a.jpg]"),
              std::string::npos);
}

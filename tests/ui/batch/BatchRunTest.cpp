// A batch run through the GUI's progress window gives the same files and log as tolmena-cli
// with the same settings; the abort button stops it with the log complete and the main window
// usable again.
#include "base/HeadlessPlatform.h"
#include "batch/BulkConvSettings.h"
#include "batch/BulkFltSettings.h"
#include "batch/ConversionTask.h"
#include "batch/FilterTask.h"
#include "core/DocTemplate.h"
#include "jpegtools/CustomTables.h"
#include "jpegtools/DefaultComment.h"
#include "shell/CommandId.h"
#include "support/JpegFixture.h"
#include "support/RunCli.h"
#include "ui/batch/GuiBatchRun.h"
#include "ui/batch/ProgressWindow.h"
#include "ui/shell/ImageApp.h"
#include "ui/shell/MainFrame.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <map>

namespace fs = std::filesystem;

namespace {

using Assignments = std::vector<std::pair<std::string, std::string>>; // key, value

// Every file below the directory: relative path to contents.
std::map<std::string, std::string> TreeContents(const std::string& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), root).string()] = TempDir::Read(entry.path());
    return files;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

class BatchTree {
public:
    BatchTree() {
        fs::create_directories(Source() + "/sub");
        TestJpegOptions options;
        options.markers = {{0xE2, "profile"}, {0xFE, "comment"}};
        WriteTestJpeg(Source() + "/b.jpg", options);
        options.width = 40;
        WriteTestJpeg(Source() + "/A.JPEG", options);
        options.height = 90;
        WriteTestJpeg(Source() + "/sub/c.jfif", options);
        dir_.Write("src/notes.txt", "not a picture");
        fs::create_directory(Destination("gui"));
        fs::create_directory(Destination("cli"));
        dir_.Write("tolmena.ini", ""); // the command line takes only a profile that exists
    }
    std::string Source() const { return dir_.File("src"); }
    std::string Destination(const std::string& runner) const { return dir_.File(runner); }
    std::string Log(const std::string& runner) const { return dir_.File(runner + ".htm"); }
    std::string Profile() const { return dir_.File("tolmena.ini"); }

    // The settings of the section for one runner: the folders, the log and the assignments.
    Assignments For(const std::string& runner, const Assignments& assignments) const {
        Assignments all = {{"SrcDirectory", Source()},
                           {"DstDirectory", Destination(runner)},
                           {"CreateLog", "1"},
                           {"LogFilePath", Log(runner)}};
        all.insert(all.end(), assignments.begin(), assignments.end());
        return all;
    }

    // tolmena-cli COMMAND --log LOG SRC DST with the section's assignments.
    void RunCli(const std::string& command, const std::string& section,
                const Assignments& assignments) const {
        std::vector<std::string> args = {"--profile", Profile()};
        for (const auto& [key, value] : For("cli", assignments))
            args.insert(args.end(), {"--set", section + "." + key + "=" + value});
        args.insert(args.end(), {command, "--log", Log("cli"), Source(), Destination("cli")});
        ::RunCli(args);
    }

    // The application's settings as the CLI loads them, with the section's assignments in the
    // profile.
    SettingsStore& GuiSettings(const std::string& section, const Assignments& assignments) const {
        SettingsStore& settings = AppSettings();
        UseProfile(settings, Profile());
        LoadSettings(settings);
        LoadCustomTables(settings);
        LoadDefaultComment(settings, settings.defaultCommentPath);
        for (const auto& [key, value] : For("gui", assignments))
            settings.profile.WriteString(section, key, value);
        return settings;
    }

    void ExpectSameResults() const {
        const auto gui = TreeContents(Destination("gui"));
        QVERIFY(gui.size() >= 3);
        QVERIFY(gui == TreeContents(Destination("cli")));
        const std::string guiLog = TempDir::Read(Log("gui"));
        QVERIFY(!guiLog.empty());
        // Links are relative to the logs' folder: "./gui/a.jpg" there.
        QCOMPARE(Replaced(Replaced(guiLog, Destination("gui"), Destination("cli")), "\"./gui/",
                          "\"./cli/"),
                 TempDir::Read(Log("cli")));
    }

private:
    TempDir dir_;
};

CProgressWindow* ShownProgressWindow() {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* progress = qobject_cast<CProgressWindow*>(window);
            progress && progress->isVisible())
            return progress;
    return nullptr;
}

} // namespace

class BatchRunTest : public QObject {
    Q_OBJECT
private slots:
    void filterRunMatchesTheCommandLine() {
        BatchTree tree;
        const Assignments filter = {{"RecurseDir", "1"}, {"RemoveCOM", "1"}};
        tree.RunCli("filter", "bulkfilter", filter);
        SettingsStore& settings = tree.GuiSettings("bulkfilter", filter);
        CFilterTask task(settings, LoadBulkFltSettings(settings.profile));
        QWidget mainWindow;
        const BatchResult result = RunGuiBatch(task, &mainWindow);
        QCOMPARE(result.outcome, BatchOutcome::Completed);
        QCOMPARE(result.count, 3);
        tree.ExpectSameResults();
    }

    void conversionRunMatchesTheCommandLine() {
        BatchTree tree;
        const Assignments conversion = {
            {"RecurseDir", "1"}, {"ExtFilter", "0"}, {"SizeWidth", "32"}, {"UsePngFormat", "1"}};
        tree.RunCli("batch-convert", "bulkconv", conversion);
        SettingsStore& settings = tree.GuiSettings("bulkconv", conversion);
        CDocTemplate documents(settings);
        CConversionTask task(LoadBulkConvSettings(settings.profile), documents);
        const BatchResult result = RunGuiBatch(task, nullptr);
        QCOMPARE(result.count, 4);              // notes.txt is tried, and logged as unreadable
        QVERIFY(documents.Documents().empty()); // the work document is closed
        tree.ExpectSameResults();
    }

    // broken.jpg and notes.txt cannot be read: the progress window and the summary count them as
    // failed, the log has the reader's report with the path, and no message box stopped the run.
    void failuresAreToldByTheRunNotByMessageBoxes() {
        BatchTree tree;
        SettingsStore& settings =
            tree.GuiSettings("bulkconv", {{"RecurseDir", "1"}, {"ExtFilter", "0"}});
        CDocTemplate documents(settings);
        CConversionTask task(LoadBulkConvSettings(settings.profile), documents);
        std::ofstream(tree.Source() + "/broken.jpg") << "not a JPEG";
        QString shown;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            if (CProgressWindow* progress = ShownProgressWindow())
                shown = progress->findChild<QLabel*>("failures")->text();
        });
        watch.start(0);
        Headless().ClearMessages();
        RunGuiBatch(task, nullptr);
        const std::string seeLog = "うち 2 個は失敗しました(ログ: " + tree.Log("gui") + ")";
        QVERIFY2(shown.startsWith(QString::fromUtf8("うち 2 個は失敗しました")), qPrintable(shown));
        QCOMPARE(Headless().Messages().size(), size_t{1});
        QCOMPARE(Headless().Messages()[0].text, "5 個のファイルを処理しました\n" + seeLog);
        QCOMPARE(Headless().Messages()[0].kind, MessageKind::Warning);
        const std::string broken = fs::canonical(tree.Source()).string() + "/broken.jpg";
        const std::string log = TempDir::Read(tree.Log("gui"));
        QVERIFY2(log.find("<STRONG>" + broken + ": JPEGLIB:") != std::string::npos, log.c_str());
    }

    void abortStopsTheRunWithTheLogComplete() {
        BatchTree tree;
        SettingsStore& settings = tree.GuiSettings("bulkfilter", {{"RecurseDir", "1"}});
        CFilterTask task(settings, LoadBulkFltSettings(settings.profile));
        QWidget mainWindow;
        mainWindow.show();
        bool mainEnabledDuringRun = true;
        QTimer abortWhenProcessing;
        connect(&abortWhenProcessing, &QTimer::timeout, [&] {
            CProgressWindow* progress = ShownProgressWindow();
            if (!progress) return;
            mainEnabledDuringRun = mainWindow.isEnabled();
            if (progress->findChild<QLabel*>("status")->text() != "ファイルを処理しています...")
                return;
            QTest::mouseClick(progress->findChild<QPushButton*>("abort"), Qt::LeftButton);
        });
        abortWhenProcessing.start(0);
        const BatchResult result = RunGuiBatch(task, &mainWindow);
        QCOMPARE(result.outcome, BatchOutcome::Cancelled);
        QVERIFY(result.count < 3);
        QVERIFY(!mainEnabledDuringRun);
        QVERIFY(mainWindow.isEnabled());
        QVERIFY(!ShownProgressWindow());
        const std::string log = TempDir::Read(tree.Log("gui"));
        QVERIFY(log.ends_with("</BODY></HTML>\n"));
    }

    void theCommandRunsWithTheMainWindowDisabledAndNotClosable() {
        QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        SettingsStore settings;
        CImageApp app(settings);
        QVERIFY(app.InitInstance("/opt/bin/tolmena", {}));
        BatchTree tree;
        settings.profile.WriteString("bulkfilter", "SrcDirectory", tree.Source());
        settings.profile.WriteString("bulkfilter", "DstDirectory", tree.Destination("gui"));
        CMainFrame* frame = app.MainFrame();
        bool closedDuringRun = true, enabledDuringRun = true;
        QTimer answer; // OK to the settings dialog and to the summary; a close request meanwhile
        connect(&answer, &QTimer::timeout, [&] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                dialog->accept();
            else if (ShownProgressWindow()) {
                enabledDuringRun = frame->isEnabled();
                closedDuringRun = frame->close();
            }
        });
        answer.start(0);
        frame->Action(ID_BATCH_FILTER)->trigger();
        answer.stop();
        QVERIFY(!closedDuringRun);
        QVERIFY(!enabledDuringRun);
        QVERIFY(frame->isEnabled() && frame->isVisible());
        QVERIFY(!fs::exists(tree.Destination("gui") + "/sub")); // RecurseDir is off
        QVERIFY(fs::exists(tree.Destination("gui") + "/b.jpg"));
        app.ExitInstance();
    }
};

QTEST_MAIN(BatchRunTest)
#include "BatchRunTest.moc"

// Starts the application offscreen, checks the menus and command states, and closes it again.
#include "ui/shell/MainFrame.h"
#include "base/FileExtension.h"
#include "shell/CommandId.h"
#include "shell/CommandTable.h"
#include "ui/shell/ExifWindow.h"
#include "ui/shell/ImageApp.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <set>

namespace {

QStringList MenuTitles(CMainFrame* frame) {
    QStringList titles;
    for (QAction* menu : frame->menuBar()->actions())
        titles << menu->text();
    return titles;
}

// The application with its profile in a fresh configuration directory.
struct StartedApp {
    QTemporaryDir config;
    SettingsStore settings;
    CImageApp app{settings};
    StartedApp() { qputenv("XDG_CONFIG_HOME", config.path().toUtf8()); }
};

const QStringList kNoDocumentMenu = {"ファイル(&F)", "編集(&E)", "特殊(&Z)", "表示(&V)",
                                     "ﾍﾙﾌﾟ(&H)"};

} // namespace

class MainFrameTest : public QObject {
    Q_OBJECT
private slots:
    void startsShowsMenuAndSavesProfile() {
        StartedApp started;
        QVERIFY(started.app.InitInstance("/opt/bin/tolmena", {}));
        CMainFrame* frame = started.app.MainFrame();
        QCOMPARE(frame->windowTitle(), QString("Tolmena"));

        QCOMPARE(MenuTitles(frame), kNoDocumentMenu);
        QStringList fileItems;
        for (QAction* item : frame->menuBar()->actions()[0]->menu()->actions())
            if (!item->isSeparator()) fileItems << item->text();
        QCOMPARE(fileItems,
                 QStringList({"開く(&O)...", "最近開いたファイル", "環境設定(&R)", "終了(&X)"}));
        QCOMPARE(frame->Action(ID_BATCH_FILTER)->text(), QString("JPEG 一括フィルタ(&F)..."));
        QCOMPARE(frame->Action(ID_EDIT_PASTE)->statusTip(),
                 QString("クリップボードの画像を開きます"));
        QVERIFY(frame->Action(ID_BATCH_FILTER)->isEnabled());
        QVERIFY(frame->Action(ID_MARKER_EDIT_FILE)->isEnabled());
        QVERIFY(frame->Action(ID_APP_EXIT)->isEnabled());
        QVERIFY(frame->Action(ID_VIEW_STATUS_BAR)->isChecked());
        frame->Action(ID_VIEW_STATUS_BAR)->trigger();
        QVERIFY(frame->statusBar()->isHidden());
        QVERIFY(!frame->Action(ID_VIEW_STATUS_BAR)->isChecked());
        frame->Action(ID_VIEW_STATUS_BAR)->trigger();
        QVERIFY(frame->Action(ID_VIEW_STATUS_BAR)->isChecked());

        frame->Action(ID_APP_EXIT)->trigger();
        QVERIFY(!frame->isVisible());
        started.app.ExitInstance();
        QFile profile(started.config.path() + "/tolmena/tolmena.ini");
        QVERIFY(profile.open(QIODevice::ReadOnly));
        const QByteArray text = profile.readAll();
        QVERIFY(text.contains("SaveConfig=1"));
        QVERIFY(text.contains("[DockState]")); // the bars' layout
        QVERIFY(text.contains("WindowPosWidth="));
        QVERIFY(!text.contains("WindowPosWidth=-2147483648"));
    }

    void oneUpdatePassSetsEveryCommandState() {
        StartedApp started;
        QVERIFY(started.app.InitInstance("/opt/bin/tolmena", {}));
        CMainFrame* frame = started.app.MainFrame();
        int reloads = 0;
        for (int id : std::initializer_list<int>{
                 ID_PNG_GAMMA, ID_PNG_TRANSPARENT, ID_COMMENT_TOGGLE, ID_EXIF_WINDOW,
                 ID_ZOOM_RATE_FIRST + 4, ID_ZOOM_RATE_FIRST + 5, ID_ZOOM_UP})
            frame->SetCommandHandler(id, [] {});
        frame->SetCommandHandler(ID_RELOAD, [&reloads] { ++reloads; });

        CommandState state = frame->CurrentCommandState();
        state.documentActive = true;
        state.document = {
            .typeCode = 136, .pathEmpty = false, .includeComment = true, .gammaPresent = true};
        state.exifWindowOpen = true;
        frame->UpdateCommands(state);
        QCOMPARE(MenuTitles(frame), QStringList({"ファイル(&F)", "編集(&E)", "特殊(&Z)", "表示(&V)",
                                                 "ウィンドウ(&W)", "ヘルプ(&H)"}));
        QCOMPARE(frame->Action(ID_SETTINGS)->text(), QString("詳細設定(&R)..."));
        QCOMPARE(frame->Action(ID_ZOOM_RATE_FIRST + 4)->text(), QString("100%"));
        QCOMPARE(frame->Action(ID_ZOOM_RATE_FIRST + 10)->shortcut(), QKeySequence("Alt+-"));
        QCOMPARE(frame->Action(ID_ZOOM_UP)->shortcuts(),
                 QList<QKeySequence>({QKeySequence("="), QKeySequence("+")}));
        QCOMPARE(frame->Action(ID_EDIT_COPY)->shortcuts(),
                 QList<QKeySequence>({QKeySequence("Ctrl+C"), QKeySequence("Ctrl+Ins")}));
        QVERIFY(frame->actions().contains(frame->Action(ID_FOCUS_QUALITY)));
        QVERIFY(frame->Action(ID_RELOAD)->isEnabled() && frame->Action(ID_PNG_GAMMA)->isEnabled());
        QVERIFY(!frame->Action(ID_PNG_TRANSPARENT)->isEnabled());
        QVERIFY(frame->Action(ID_HELP_FINDER)->isEnabled()); // the keyword index of the help
        QVERIFY(frame->Action(ID_RESIZE)->isEnabled());
        QVERIFY(frame->Action(ID_COMMENT_TOGGLE)->isChecked());
        QVERIFY(frame->Action(ID_EXIF_WINDOW)->isChecked());
        QVERIFY(frame->Action(ID_ZOOM_RATE_FIRST + 4)->isChecked());
        QVERIFY(!frame->Action(ID_ZOOM_RATE_FIRST + 5)->isChecked());
        QVERIFY(frame->Action(ID_ZOOM_UP)->isEnabled());

        // A command refreshes the states from what the window knows: no document.
        frame->Action(ID_RELOAD)->trigger();
        QCOMPARE(reloads, 1);
        QCOMPARE(MenuTitles(frame), kNoDocumentMenu);
        QCOMPARE(frame->Action(ID_SETTINGS)->text(), QString("環境設定(&R)"));
        QVERIFY(!frame->Action(ID_RELOAD)->isEnabled());
        QVERIFY(!frame->Action(ID_EXIF_WINDOW)->isChecked());
        started.app.ExitInstance();
    }

    // Every command of the table is carried out by the window or one of its command groups:
    // whatever its rule enables in a state is enabled there. The recent files' placeholder is
    // the exception: the list's own items open the files.
    void everyCommandIsBound() {
        StartedApp started;
        QVERIFY(started.app.InitInstance("/opt/bin/tolmena", {}));
        CMainFrame* frame = started.app.MainFrame();
        CommandState jpeg = frame->CurrentCommandState();
        jpeg.documentActive = true;
        jpeg.document = {.typeCode = kTypeJpeg, .pathEmpty = false, .includeComment = true};
        jpeg.zoom = 150;
        jpeg.selecting = jpeg.clipboardHasImage = true;
        jpeg.recentFilesEmpty = false;
        CommandState png = jpeg;
        png.document = {.typeCode = kTypePng, .gammaPresent = true, .transparent = true};
        std::set<int> enabled{ID_FILE_MRU_FILE1};
        for (const CommandState& state : {jpeg, png}) {
            frame->UpdateCommands(state);
            for (const Command& command : Commands())
                if (IsEnabled(command, state) && frame->Action(command.id)->isEnabled())
                    enabled.insert(command.id);
        }
        for (const Command& command : Commands())
            if (!enabled.contains(command.id)) qWarning("not bound: %d", command.id);
        QCOMPARE(enabled.size(), Commands().size());
        started.app.ExitInstance();
    }

    void reloadAndSaveAsShowTheNewStateEverywhere() {
        StartedApp started;
        QTemporaryDir files;
        const QString photo = files.filePath("photo.jpg");
        QVERIFY(QFile::copy(QString(TEST_DATA_DIR) + "/exif/fujifilm_finepix_e500.jpg", photo));
        QVERIFY(started.app.InitInstance("/opt/bin/tolmena", {photo}));
        CMainFrame* frame = started.app.MainFrame();
        frame->Action(ID_EXIF_WINDOW)->trigger();
        auto camera = [frame] { return frame->ExifWindow()->findChild<QLabel*>("camera")->text(); };
        QVERIFY(frame->InfoText().startsWith("59x100 "));

        // The file changed on disk: Reload shows the new picture's description and camera.
        QVERIFY(QFile::remove(photo));
        QVERIFY(QFile::copy(QString(TEST_DATA_DIR) + "/exif/canon_40d.jpg", photo));
        frame->Action(ID_RELOAD)->trigger();
        QVERIFY(frame->InfoText().startsWith("100x68 "));
        QCOMPARE(camera(), QString("Canon Canon EOS 40D"));

        const QString copy = files.filePath("copy.bmp");
        QVERIFY(frame->ActiveDocument()->OnSaveDocument(copy.toStdString())); // as Save As does
        QCOMPARE(frame->windowTitle(), QString("copy.bmp - Tolmena"));
        QCOMPARE(frame->ExifWindow()->windowTitle(), QString("copy.bmp"));
        QCOMPARE(frame->InfoText(), QString::fromStdString(frame->ActiveDocument()->InfoText()));
        QVERIFY(frame->InfoText().contains("BMP"));
        started.app.ExitInstance();
    }

    void storedWindowRectangleIsTheOneRestored() {
        QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        QDir().mkpath(config.path() + "/tolmena");
        QFile profile(config.path() + "/tolmena/tolmena.ini");
        QVERIFY(profile.open(QIODevice::WriteOnly));
        profile.write("[default]\nRestoreWindowPos=1\nWindowPosLeft=100\nWindowPosTop=120\n"
                      "WindowPosWidth=700\nWindowPosHeight=500\n");
        profile.close();
        for (int run = 0; run < 3; ++run) {
            SettingsStore settings;
            CImageApp app{settings};
            QVERIFY(app.InitInstance("/opt/bin/tolmena", {}));
            QVERIFY(QTest::qWaitForWindowExposed(app.MainFrame()));
            app.MainFrame()->close();
            app.ExitInstance();
            QCOMPARE(QRect(settings.windowPosLeft, settings.windowPosTop, settings.windowPosWidth,
                           settings.windowPosHeight),
                     QRect(100, 120, 700, 500));
        }
    }
};

QTEST_MAIN(MainFrameTest)
#include "MainFrameTest.moc"

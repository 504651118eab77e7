// Document windows: one MDI window per open document, from the template's events only.
#include "ui/shell/DocumentWindows.h"
#include "shell/CommandId.h"
#include "ui/shell/ChildFrame.h"
#include "ui/shell/ControlBar.h"
#include "ui/shell/ImageApp.h"
#include "ui/shell/ImageView.h"
#include "ui/shell/MainFrame.h"
#include "ui/shell/QualitySpin.h"
#include "ui/shell/SystemPath.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDropEvent>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

const QString kBmp = QString(TEST_DATA_DIR) + "/bmp/g/rgb24.bmp";

std::string FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

// The application with its profile in a fresh configuration directory; message boxes are
// answered at once and their texts kept.
struct StartedApp {
    QTemporaryDir config;
    SettingsStore settings;
    CImageApp app{settings};
    QStringList messages;
    QTimer answerer;
    StartedApp() {
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        QObject::connect(&answerer, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                messages << box->text();
                box->buttons().first()->click();
            }
        });
        answerer.start(5);
    }
    ~StartedApp() { app.ExitInstance(); }
};

} // namespace

class DocumentWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void commandLineFilesOpenInWindowsBeforeTheFrameShows() {
        StartedApp started;
        QVERIFY(started.app.InitInstance("/opt/bin/tolmena", {kBmp, "/nonexistent/x.bmp"}));
        CMainFrame* frame = started.app.MainFrame();
        QCOMPARE(frame->MdiArea()->subWindowList().size(), 1);
        QCOMPARE(started.messages.size(), 1); // the second file: its reader's report only
        QVERIFY(started.messages[0].startsWith("LoadBmpFile:"));
        QVERIFY(frame->ActiveDocument());
        QCOMPARE(frame->menuBar()->actions().size(), 6); // the document menu

        // The file heads the recent files of the file menu.
        QMenu* fileMenu = frame->menuBar()->actions()[0]->menu();
        emit fileMenu->aboutToShow();
        const QList<QAction*> items = fileMenu->actions();
        QVERIFY(std::any_of(items.begin(), items.end(),
                            [](QAction* item) { return item->text() == "&1 " + kBmp; }));
        QVERIFY(!frame->Action(ID_FILE_MRU_FILE1)->isVisible());

        // Opening the file again re-reads it in its window.
        QCOMPARE(started.app.Documents().OpenDocumentFile(kBmp.toStdString()), nullptr);
        QCOMPARE(frame->MdiArea()->subWindowList().size(), 1);

        // Closing the window closes the document and leaves the no-document state.
        frame->MdiArea()->subWindowList()[0]->close();
        QVERIFY(started.app.Documents().Documents().empty());
        QCOMPARE(frame->InfoText(), QString("No Files"));
        QCOMPARE(frame->menuBar()->actions().size(), 5);
        QTRY_COMPARE(frame->MdiArea()->subWindowList().size(), 0);
    }

    void controlBarFollowsTheActiveDocument() {
        StartedApp started;
        QVERIFY(started.app.InitInstance("/opt/bin/tolmena", {kBmp}));
        CMainFrame* frame = started.app.MainFrame();
        CImageDoc* document = frame->ActiveDocument();
        QVERIFY(document);
        QCOMPARE(frame->ControlBar()->CommentBox()->isChecked(), document->IncludesComment());
        const bool included = document->IncludesComment();
        frame->ControlBar()->CommentBox()->click(); // sends the comment command
        QCOMPARE(document->IncludesComment(), !included);
        QCOMPARE(frame->ControlBar()->EditButton()->isEnabled(), !included);

        frame->Action(ID_CUSTOM_DQT_TOGGLE)->trigger();
        QCOMPARE(frame->ControlBar()->QualityField()->isEnabled(), !document->UsesCustomDqt());
        QVERIFY(frame->Action(ID_CUSTOM_DQT_TOGGLE)->isChecked() == document->UsesCustomDqt());

        // The quality typed is what a document that makes its tables takes.
        frame->ControlBar()->QualityField()->SetText("150");
        frame->Action(ID_APP_EXIT)->trigger();
        QCOMPARE(started.settings.param1, 100);
    }

    void conversionAndPlanesOpenWindowsInTheSourcesSyncGroup() {
        StartedApp started;
        QVERIFY(started.app.InitInstance("/opt/bin/tolmena", {kBmp}));
        CMainFrame* frame = started.app.MainFrame();
        const int syncId = frame->ActiveDocument()->SyncId();
        frame->Action(ID_JPEG_CONVERT)->trigger();
        QCOMPARE(frame->MdiArea()->subWindowList().size(), 2);
        CImageDoc* converted = frame->ActiveDocument();
        QVERIFY(QRegularExpression(R"(^tlmn\d{4}\.jpg\(Q=75 DS=2:1\)$)")
                    .match(QString::fromStdString(converted->Title()))
                    .hasMatch());
        QCOMPARE(converted->SyncId(), syncId);
        QVERIFY(!frame->Action(ID_RELOAD)->isEnabled()); // a conversion has no file to re-read

        frame->Action(ID_YCBCR_SPLIT)->trigger();
        QCOMPARE(frame->MdiArea()->subWindowList().size(), 5);
        QCOMPARE(frame->ActiveDocument()->SyncId(), syncId);
    }

    void newWindowsShowThePictureWholeOrFillTheAreaCentred() {
        StartedApp started;
        QTemporaryDir files;
        const QString small = files.filePath("small.bmp"), big = files.filePath("big.bmp");
        QVERIFY(QImage(360, 270, QImage::Format_RGB32).save(small));
        QVERIFY(QImage(2000, 1500, QImage::Format_RGB32).save(big));
        // Named on the command line: placed and centred once the main window shows.
        QVERIFY(started.app.InitInstance("/opt/bin/tolmena", {big}));
        CMainFrame* frame = started.app.MainFrame();
        QVERIFY(QTest::qWaitForWindowExposed(frame));
        const QRect area = frame->MdiArea()->viewport()->rect();
        QMdiSubWindow* bigWindow = frame->MdiArea()->activeSubWindow();
        CImageView* view = frame->ActiveView();
        QTRY_VERIFY(area.contains(bigWindow->geometry()));
        QVERIFY(bigWindow->width() > area.width() * 9 / 10);
        QTRY_COMPARE(view->ScrollPosition(),
                     CentredScroll(view->State().Scaled(), view->State().client));

        started.app.Documents().OpenDocumentFile(small.toStdString());
        QTRY_COMPARE(frame->ActiveView()->viewport()->size(), QSize(360, 270));

        frame->Action(ID_WINDOW_CASCADE)->trigger();
        for (QMdiSubWindow* window : frame->MdiArea()->subWindowList())
            QVERIFY(area.contains(window->geometry()));
        QTRY_COMPARE(qobject_cast<CChildFrame*>(frame->MdiArea()->subWindowList()[1]->widget())
                         ->View()
                         ->viewport()
                         ->size(),
                     QSize(360, 270));
    }

    void planeWindowsOfASmallPictureCanBeToldApart() {
        StartedApp started;
        QTemporaryDir files;
        const QString tiny = files.filePath("tiny.bmp");
        QVERIFY(QImage(40, 30, QImage::Format_RGB32).save(tiny));
        QVERIFY(started.app.InitInstance("/opt/bin/tolmena", {tiny}));
        CMainFrame* frame = started.app.MainFrame();
        QVERIFY(QTest::qWaitForWindowExposed(frame));
        frame->Action(ID_JPEG_CONVERT)->trigger();
        frame->Action(ID_YCBCR_SPLIT)->trigger();
        const QList<QMdiSubWindow*> windows = frame->MdiArea()->subWindowList();
        QCOMPARE(windows.size(), 5);
        // [Y] and [Cb], both inactive: their title bars differ by more than the last letters.
        const int titleHeight = windows[2]->style()->pixelMetric(QStyle::PM_TitleBarHeight);
        auto titleBar = [&](QMdiSubWindow* window) {
            return window->grab(QRect(0, 0, window->width(), titleHeight)).toImage();
        };
        QVERIFY(windows[2]->windowTitle().endsWith("[Y]"));
        QTRY_VERIFY(titleBar(windows[2]) != titleBar(windows[3]));
    }

    // Every file named is tried, each failure is reported, and the window stays.
    void filesThatFailDoNotEndStartUp() {
        StartedApp started;
        QTemporaryDir dir;
        const QString unknown = dir.filePath("anim.gif");
        QFile gif(unknown);
        QVERIFY(gif.open(QIODevice::WriteOnly) && gif.write("GIF89a") == 6);
        gif.close();
        QVERIFY(started.app.InitInstance("/opt/bin/tolmena",
                                         {"/nonexistent/x.bmp", unknown, kBmp, unknown}));
        QCOMPARE(started.messages.size(), 3);
        QVERIFY(started.messages[0].startsWith("LoadBmpFile:"));
        QCOMPARE(started.messages[1],
                 "LoadFile:この形式のファイルには対応していません\n" + unknown);
        QCOMPARE(started.app.MainFrame()->MdiArea()->subWindowList().size(), 1);
        QVERIFY(started.app.MainFrame()->isVisible());
    }

    void noFileThatOpensLeavesTheWindowWithNoFiles() {
        StartedApp started;
        QVERIFY(started.app.InitInstance("/opt/bin/tolmena", {"/nonexistent/x.bmp"}));
        QCOMPARE(started.messages.size(), 1);
        QVERIFY(started.app.MainFrame()->isVisible());
        QCOMPARE(started.app.MainFrame()->InfoText(), QString("No Files"));
    }

    // Names that are not UTF-8 reach the readers as the system's bytes, from the command line,
    // a drop and a dialog's choice, and are shown decoded.
    void namesThatAreNotUtf8Open() {
        QTemporaryDir dir;
        const std::string folder = QFile::encodeName(dir.path()).toStdString() + "/";
        const std::string bmp = FileBytes(kBmp);
        std::vector<std::string> paths;
        for (const std::string name : {"\x8E\xCA\x90\x5E.jpg", "bad\xFF\xFE.jpg"}) {
            paths.push_back(folder + name);
            FILE* file = std::fopen(paths.back().c_str(), "wb");
            QVERIFY(file && std::fwrite(bmp.data(), 1, bmp.size(), file) == bmp.size());
            std::fclose(file);
        }
        StartedApp started;
        QVERIFY(started.app.InitInstanceWithPaths("/opt/bin/tolmena", {paths[0]}));
        QCOMPARE(started.messages, QStringList());
        CMainFrame* frame = started.app.MainFrame();
        QCOMPARE(frame->ActiveDocument()->PathName(), paths[0]);
        QCOMPARE(frame->windowTitle(), DisplayPath("\x8E\xCA\x90\x5E.jpg") + " - Tolmena");

        QMimeData dropped;
        dropped.setData("text/uri-list",
                        "# from a file manager\r\nfile://" +
                            QByteArray::fromStdString(paths[1]).toPercentEncoding("/") + "\r\n");
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &dropped, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(frame, &enter); // a drop goes where the drag was accepted
        QApplication::sendEvent(frame, &drop);
        QCOMPARE(started.messages, QStringList());
        QCOMPARE(started.app.Documents().Documents().size(), 2u);
        QCOMPARE(started.app.Documents().Documents().back()->PathName(), paths[1]);

        // A dialog gives the name decoded; it maps back to the one file shown so.
        QCOMPARE(SystemPath(DisplayPath(paths[1])), paths[1]);
        QCOMPARE(SystemPath(dir.filePath("new.jpg")), folder + "new.jpg");
        for (const std::string& path : paths) // Qt cannot list them to remove them
            std::remove(path.c_str());
    }
};

QTEST_MAIN(DocumentWindowsTest)
#include "DocumentWindowsTest.moc"

// Document windows: one MDI window per open document, from the template's events only.
#include "app/ui/DocumentWindows.h"
#include "app/commands/CommandId.h"
#include "app/ui/ControlBar.h"
#include "app/ui/ImageApp.h"
#include "app/ui/MainFrame.h"
#include "app/ui/QualitySpin.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

const QString kBmp = QString(TEST_DATA_DIR) + "/bmp/g/rgb24.bmp";

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

    void aFirstFileThatFailsEndsStartUp() {
        StartedApp started;
        QVERIFY(!started.app.InitInstance("/opt/bin/tolmena", {"/nonexistent/x.bmp", kBmp}));
        QCOMPARE(started.app.FailureReason(), QString("cannot open /nonexistent/x.bmp"));
        QCOMPARE(started.messages.size(), 1);
        QVERIFY(!started.app.MainFrame()->isVisible());
    }
};

QTEST_MAIN(DocumentWindowsTest)
#include "DocumentWindowsTest.moc"

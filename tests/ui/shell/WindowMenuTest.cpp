// The window menu's list of open windows and the keys that go from one window to the next.
#include "core/ImageDoc.h"
#include "shell/CommandId.h"
#include "ui/AppFixture.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

namespace {

QMenu* WindowMenu(CMainFrame* frame) {
    for (QAction* entry : frame->menuBar()->actions())
        if (entry->text() == QString("ウィンドウ(&W)")) return entry->menu();
    return nullptr;
}

// The visible items below close-all, with a "*" on the checked one.
QStringList ListedWindows(QMenu* menu) {
    emit menu->aboutToShow();
    QStringList listed;
    bool below = false;
    for (QAction* item : menu->actions()) {
        if (below && item->isVisible() && !item->isSeparator())
            listed << item->text() + (item->isChecked() ? "*" : "");
        below = below || item->text() == QString("全て閉じる(&L)");
    }
    return listed;
}

QString ActiveTitle(CMainFrame* frame) {
    return QString::fromStdString(frame->ActiveDocument()->Title());
}

} // namespace

class WindowMenuTest : public QObject {
    Q_OBJECT
private slots:
    void listsTheWindowsAndActivatesTheChosenOne() {
        AppOnPicture started;
        CMainFrame* frame = started.Frame();
        for (const char* name : {"pal8.bmp", "pal4.bmp"})
            started.app.Documents().OpenDocumentFile(TEST_DATA_DIR "/bmp/g/" + std::string(name));
        QMenu* menu = WindowMenu(frame);
        QVERIFY(menu);
        QCOMPARE(ListedWindows(menu), QStringList({"&1 rgb24.bmp", "&2 pal8.bmp", "&3 pal4.bmp*"}));

        for (QAction* item : menu->actions())
            if (item->text() == "&1 rgb24.bmp") item->trigger();
        QCOMPARE(ActiveTitle(frame), QString("rgb24.bmp"));
        QCOMPARE(ListedWindows(menu), QStringList({"&1 rgb24.bmp*", "&2 pal8.bmp", "&3 pal4.bmp"}));

        started.app.Documents().CloseDocument(started.Document());
        QCOMPARE(ListedWindows(menu).size(), 2);
    }

    void nextWindowKeysVisitEveryWindow() {
        AppOnPicture started;
        CMainFrame* frame = started.Frame();
        for (const char* name : {"pal8.bmp", "pal4.bmp"})
            started.app.Documents().OpenDocumentFile(TEST_DATA_DIR "/bmp/g/" + std::string(name));
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame));
        QStringList visited;
        for (int press = 0; press < 3; ++press) {
            QTest::keyClick(frame, Qt::Key_Tab, Qt::ControlModifier);
            visited << ActiveTitle(frame);
        }
        QCOMPARE(visited, QStringList({"rgb24.bmp", "pal8.bmp", "pal4.bmp"}));
        visited.clear();
        for (int press = 0; press < 3; ++press) {
            QTest::keyClick(frame, Qt::Key_F6, Qt::ControlModifier);
            visited << ActiveTitle(frame);
        }
        QCOMPARE(visited, QStringList({"rgb24.bmp", "pal8.bmp", "pal4.bmp"}));
        QTest::keyClick(frame, Qt::Key_F6, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(ActiveTitle(frame), QString("pal8.bmp"));
    }
};

QTEST_MAIN(WindowMenuTest)
#include "WindowMenuTest.moc"

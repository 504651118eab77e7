// Starts the application offscreen, checks the empty-state menu and closes it again.
#include "app/ui/CommandTable.h"
#include "app/ui/ImageApp.h"
#include "app/ui/MainFrame.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>

class MainFrameTest : public QObject {
    Q_OBJECT
private slots:
    void startsShowsMenuAndSavesProfile() {
        QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        SettingsStore settings;
        CImageApp app(settings);
        QVERIFY(app.InitInstance("/opt/bin/tolmena", {}));
        CMainFrame* frame = app.MainFrame();
        QCOMPARE(frame->windowTitle(), QString("Tolmena"));

        QStringList titles;
        for (QAction* menu : frame->menuBar()->actions()) titles << menu->text();
        QCOMPARE(titles, QStringList({"ファイル(&F)", "編集(&E)", "特殊(&Z)", "表示(&V)", "ﾍﾙﾌﾟ(&H)"}));
        QStringList fileItems;
        for (QAction* item : frame->menuBar()->actions()[0]->menu()->actions())
            if (!item->isSeparator()) fileItems << item->text();
        QCOMPARE(fileItems, QStringList({"開く(&O)...", "最近開いたファイル", "環境設定(&R)", "終了(&X)"}));
        QCOMPARE(frame->Action(ID_BATCH_FILTER)->text(), QString("JPEG 一括フィルタ(&F)..."));
        QCOMPARE(frame->Action(ID_EDIT_PASTE)->statusTip(), QString("クリップボードの画像を開きます"));
        QVERIFY(!frame->Action(ID_BATCH_FILTER)->isEnabled());
        QVERIFY(frame->Action(ID_APP_EXIT)->isEnabled());

        frame->Action(ID_APP_EXIT)->trigger();
        QVERIFY(!frame->isVisible());
        app.ExitInstance();
        QFile profile(config.path() + "/tolmena/tolmena.ini");
        QVERIFY(profile.open(QIODevice::ReadOnly));
        const QByteArray text = profile.readAll();
        QVERIFY(text.contains("SaveConfig=1"));
        QVERIFY(text.contains("WindowPosWidth="));
        QVERIFY(!text.contains("WindowPosWidth=-2147483648"));
    }
};

QTEST_MAIN(MainFrameTest)
#include "MainFrameTest.moc"

// The help window: every context number a Help button passes opens an existing page, every link
// of the manual resolves, the help commands, the keyword search and the size kept in the profile.
#include "ui/kit/HelpWindow.h"
#include "base/HelpTopics.h"
#include "base/ProfileFile.h"
#include "shell/CommandId.h"
#include "ui/AppFixture.h"
#include "ui/kit/HelpContext.h"

#include <QAction>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QSettings>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <set>

namespace {

QString ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The context numbers the dialogs of the program hand to their Help buttons.
std::set<int> ContextsInTheSources() {
    std::set<int> contexts{kHelpContents};
    const QRegularExpression constant("kHelpContext = (\\d+);");
    QDirIterator files(QString(TEST_DATA_DIR) + "/../../src", {"*.cpp"}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        auto matches = constant.globalMatch(ReadAll(files.next()));
        while (matches.hasNext())
            contexts.insert(matches.next().captured(1).toInt());
    }
    return contexts;
}

// Empty when the URL names an existing resource (and anchor), else what is missing.
QString Missing(const QUrl& url) {
    const QString path = ":" + url.path();
    if (!QFile::exists(path)) return path;
    if (url.hasFragment()) {
        const QString page = ReadAll(path);
        const QString anchor = url.fragment();
        if (!page.contains("name=\"" + anchor + "\"") && !page.contains("id=\"" + anchor + "\""))
            return path + "#" + anchor;
    }
    return {};
}

CHelpWindow* HelpWindowOf(QWidget& owner) {
    return owner.findChild<CHelpWindow*>("helpWindow");
}

} // namespace

class HelpWindowTest : public QObject {
    Q_OBJECT
    QTemporaryDir config_;
private slots:
    void initTestCase() { qputenv("XDG_CONFIG_HOME", config_.path().toUtf8()); }

    void everyContextInTheCodeOpensItsOwnPage() {
        const std::set<int> contexts = ContextsInTheSources();
        QVERIFY(contexts.count(1900) && contexts.count(1803)); // the scan sees the dialogs
        QWidget owner;
        for (int context : contexts) {
            const std::string page = HelpPageOf(context);
            QVERIFY2(context == kHelpContents || page != HelpPageOf(kHelpContents),
                     qPrintable(QString("context %1 has no page").arg(context)));
            ShowHelpContext(&owner, context);
            const QUrl shown = HelpWindowOf(owner)->Browser()->source();
            QCOMPARE(shown, HelpPageUrl(QString::fromStdString(page)));
            QVERIFY2(Missing(shown).isEmpty(), qPrintable(Missing(shown)));
        }
    }

    void everyLinkOfTheManualResolves() {
        const QRegularExpression link("(?:href|src)=\"([^\"]+)\"");
        int links = 0;
        QDirIterator pages(":/manual", {"*.html"}, QDir::Files, QDirIterator::Subdirectories);
        while (pages.hasNext()) {
            const QString path = pages.next();
            const QUrl base("qrc" + path);
            auto matches = link.globalMatch(ReadAll(path));
            while (matches.hasNext()) {
                const QUrl target = base.resolved(QUrl(matches.next().captured(1)));
                if (target.scheme() != "qrc") continue; // web links open in the browser
                ++links;
                QVERIFY2(Missing(target).isEmpty(), qPrintable(path + " -> " + Missing(target)));
            }
        }
        QVERIFY(links > 50);
        for (const char* list : {"contents.txt", "keywords.txt"}) {
            const auto entries =
                ParseHelpList(ReadAll(QString(":/manual/ja/") + list).toStdString());
            QVERIFY(entries.size() > 20);
            for (const HelpEntry& entry : entries) {
                const QUrl target = HelpPageUrl(QString::fromStdString(entry.target));
                QVERIFY2(Missing(target).isEmpty(), qPrintable(Missing(target)));
            }
        }
    }

    void helpCommandsOpenContentsAndSearchableIndex() {
        AppOnPicture app;
        CMainFrame* frame = app.Frame();
        QCOMPARE(frame->Action(ID_HELP_INDEX)->shortcut(), QKeySequence(Qt::Key_F1));
        QVERIFY(frame->Action(ID_HELP_FINDER)->isEnabled());
        frame->Action(ID_HELP_INDEX)->trigger();
        CHelpWindow* help = HelpWindowOf(*frame);
        QVERIFY(help && help->isVisible());
        QCOMPARE(help->Browser()->source(), HelpPageUrl("index.html"));

        frame->Action(ID_HELP_FINDER)->trigger();
        QCOMPARE(HelpWindowOf(*frame), help); // one window per main window
        QCOMPARE(help->findChild<QTabWidget*>()->currentIndex(), 1);
        auto* search = help->findChild<QLineEdit*>("helpSearch");
        auto* keywords = help->findChild<QListWidget*>("helpKeywords");
        QTest::keyClicks(search, "dqt");
        int shown = 0;
        for (int row = 0; row < keywords->count(); ++row) {
            if (keywords->item(row)->isHidden()) continue;
            ++shown;
            QVERIFY(keywords->item(row)->text().contains("DQT"));
        }
        QVERIFY(shown >= 2);
        QTest::keyClick(search, Qt::Key_Return);
        QCOMPARE(help->Browser()->source().fileName(), QString("custom-dqt.html"));
    }

    void sizeIsKeptForTheNextWindow() {
        {
            CHelpWindow first;
            first.show();
            first.resize(700, 480);
            first.close();
        }
        CHelpWindow second;
        QCOMPARE(second.size(), QSize(700, 480));
    }

    // The size lives in the profile; the settings file earlier versions kept beside it is read
    // while the profile has no size, and never written again.
    void sizeGoesToTheProfileAfterTheFormerFile() {
        const QString formerPath = config_.path() + "/tolmena/help.ini";
        QSettings(formerPath, QSettings::IniFormat).setValue("size", QSize(640, 400));
        const QString formerText = ReadAll(formerPath);
        ProfileFile profile;
        {
            CHelpWindow first(profile, nullptr);
            QCOMPARE(first.size(), QSize(640, 400));
            first.show();
            first.resize(720, 500);
            first.close();
        }
        QCOMPARE(profile.GetInt("HelpWindow", "Width", 0), 720);
        QCOMPARE(profile.GetInt("HelpWindow", "Height", 0), 500);
        QCOMPARE(ReadAll(formerPath), formerText);
        CHelpWindow second(profile, nullptr);
        QCOMPARE(second.size(), QSize(720, 500));
    }
};

QTEST_MAIN(HelpWindowTest)
#include "HelpWindowTest.moc"

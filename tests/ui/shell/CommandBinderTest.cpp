// The binder between command ids and handlers: a bound command runs its handler and then the
// refresh, a command nobody binds stays disabled, and the window list reports the chosen index.
#include "ui/shell/CommandBinder.h"
#include "shell/CommandId.h"
#include "shell/MenuLayout.h"
#include "ui/shell/CommandActions.h"

#include <QAction>
#include <QMenu>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <string>

class CommandBinderTest : public QObject {
    Q_OBJECT
private slots:
    void boundCommandsRunThenRefresh() {
        QWidget window;
        const std::string labels[kZoomCount];
        CCommandActions actions(&window, labels);
        std::vector<QMenu*> menus = actions.BuildMenus(DocumentMenu(), &window);
        QStringList calls;
        CCommandBinder binder(actions, [&calls] { calls << "refresh"; });
        binder.Bind(ID_RELOAD, [&calls] { calls << "reload"; });
        binder.BindWindowList([&calls](int index) { calls << QString("window %1").arg(index); });

        CommandState state;
        state.documentActive = true;
        state.document.pathEmpty = false;
        state.document.typeCode = 136;
        state.windowTitles = {"a.jpg", "b.jpg"};
        state.activeWindow = 0;
        actions.Update(state);
        QVERIFY(actions.Action(ID_RELOAD)->isEnabled());
        QVERIFY(!actions.Action(ID_RESIZE)->isEnabled()); // its rule allows it, nobody binds it

        actions.Action(ID_RELOAD)->trigger();
        auto windowMenu = std::find_if(menus.begin(), menus.end(), [](QMenu* menu) {
            return menu->title().startsWith("ウィンドウ");
        });
        QVERIFY(windowMenu != menus.end());
        (*windowMenu)->actions().last()->trigger(); // the second window of the list
        QCOMPARE(calls, QStringList({"reload", "refresh", "window 1", "refresh"}));
    }
};

QTEST_MAIN(CommandBinderTest)
#include "CommandBinderTest.moc"

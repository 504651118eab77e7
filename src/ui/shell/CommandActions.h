#pragma once
// A window's QActions, one per command of the command table, the menus built from the menu
// data, and the one pass that applies every enabling and check-mark rule.
#include "shell/CommandState.h"
#include "shell/MenuLayout.h"

#include <QString>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QWidget;

class CCommandActions {
public:
    // The actions belong to the window, so that their keys work with or without a menu;
    // zoomLabels (kZoomCount of them) caption the zoom-rate commands.
    CCommandActions(QWidget* window, const std::string* zoomLabels);

    QAction* Action(int id) const;
    // Runs handler when the command is chosen. A command without a handler stays disabled
    // whatever its rule says, since nothing would carry it out.
    void SetHandler(int id, std::function<void()> handler);
    // Runs handler with the window's index in the state's list when a window list item is
    // chosen.
    void SetWindowListHandler(std::function<void(int)> handler) {
        windowListHandler_ = std::move(handler);
    }
    // Sets every action's enabled and checked state, and the window lists, from the snapshot.
    void Update(const CommandState& state);

    // The top-level menus of a menu bar layout, owned by parent.
    std::vector<QMenu*> BuildMenus(const std::vector<MenuItem>& layout, QWidget* parent);
    // Captions the actions as the layout shows them (menus 122 and 131 differ in a few).
    void UseCaptionsOf(const std::vector<MenuItem>& layout);

private:
    void FillMenu(QMenu* menu, const std::vector<MenuItem>& items);
    QString Caption(int id) const;
    // The entries of every window list; its items are kept and reused, the spare ones hidden.
    void UpdateWindowLists(const CommandState& state);
    QAction* WindowListItem(size_t list, size_t index);

    std::map<int, QAction*> actions_;
    std::set<int> handled_;
    struct WindowListPlace {
        QMenu* menu;
        QAction* separator; // above the list, shown while it has entries
        std::vector<QAction*> items;
    };
    std::vector<WindowListPlace> windowLists_;
    std::function<void(int)> windowListHandler_;
    const std::string* zoomLabels_;
};

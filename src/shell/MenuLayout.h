#pragma once
// The two menu bars as data: menu 122 while no document is open, menu 131 while one is.
#include "shell/CommandState.h"
#include "shell/ZoomSteps.h"

#include <string>
#include <vector>

// A WindowList item, last in its menu, stands for the list of open windows, which the update
// pass fills in.
enum class MenuItemKind { Command, Separator, Submenu, WindowList };

struct MenuItem {
    MenuItemKind kind;
    int id;                      // the command of a Command item
    const char* caption;         // a submenu's title; for a command the caption where this menu
                                 // differs from the command table's, else nullptr
    std::vector<MenuItem> items; // a submenu's items
};

// Each top-level entry is a Submenu. The recent-file list shows as its placeholder command
// ID_FILE_MRU_FILE1; the zoom submenu holds 401-412, captioned with the zoom labels.
const std::vector<MenuItem>& NoDocumentMenu();
const std::vector<MenuItem>& DocumentMenu();

// The window menu's list: one entry per open window in the state's order, numbered "&1 " to
// "&9 " and then without a mnemonic, the active one checked; a "&" of a title is doubled so that
// it shows.
struct WindowListEntry {
    std::string caption;
    bool checked;
};
std::vector<WindowListEntry> WindowListEntries(const CommandState& state);

// The image view's context menu, built afresh each time: the zoom submenu has one item per
// table entry; the two selection items follow only for a selection of some width and height.
std::vector<MenuItem> ViewContextMenu(const ZoomTable& table, bool hasSelection);

#include "shell/MenuLayout.h"

#include "base/StringTable.h"
#include "shell/CommandId.h"

#include <utility>

namespace {

MenuItem Item(int id) {
    return {MenuItemKind::Command, id, nullptr, {}};
}

MenuItem Item(int id, StringId caption) {
    return {MenuItemKind::Command, id, StringTableText(caption), {}};
}

MenuItem Line() {
    return {MenuItemKind::Separator, ID_SEPARATOR, nullptr, {}};
}

MenuItem WindowList() {
    return {MenuItemKind::WindowList, ID_SEPARATOR, nullptr, {}};
}

MenuItem Submenu(StringId title, std::vector<MenuItem> items) {
    return {MenuItemKind::Submenu, ID_SEPARATOR, StringTableText(title), std::move(items)};
}

// The zoom-rate commands of the table's entries; without a table all twelve.
std::vector<MenuItem> ZoomRateItems(const ZoomTable* table = nullptr) {
    std::vector<MenuItem> items;
    for (int id = ID_ZOOM_RATE_FIRST; id <= ID_ZOOM_RATE_LAST; ++id)
        if (!table || ZoomRateTarget(*table, id - ID_ZOOM_RATE_FIRST)) items.push_back(Item(id));
    return items;
}

} // namespace

const std::vector<MenuItem>& NoDocumentMenu() {
    static const std::vector<MenuItem> menu = {
        Submenu(StringId::MenuFile,
                {Item(ID_FILE_OPEN), Line(), Item(ID_FILE_MRU_FILE1), Line(),
                 Item(ID_SETTINGS, StringId::MenuSettings), Line(), Item(ID_APP_EXIT)}),
        Submenu(StringId::MenuEdit, {Item(ID_EDIT_PASTE), Item(ID_EDIT_CLEAR_ALL)}),
        Submenu(StringId::MenuSpecial,
                {Item(ID_MARKER_EDIT_FILE), Item(ID_BATCH_CONVERT), Item(ID_BATCH_FILTER)}),
        Submenu(StringId::MenuView, {Item(ID_VIEW_TOOLBAR), Item(ID_VIEW_ZOOMBAR),
                                     Item(ID_VIEW_STATUS_BAR), Item(ID_VIEW_CONTROLBAR)}),
        Submenu(StringId::MenuHelpHalfWidth,
                {Item(ID_HELP_INDEX), Item(ID_HELP_FINDER), Line(), Item(ID_APP_ABOUT)}),
    };
    return menu;
}

const std::vector<MenuItem>& DocumentMenu() {
    static const std::vector<MenuItem> menu = {
        Submenu(StringId::MenuFile,
                {Item(ID_FILE_OPEN), Item(ID_FILE_CLOSE), Item(ID_RELOAD), Line(),
                 Item(ID_FILE_SAVE_AS), Item(ID_JPEG_CONVERT), Line(), Item(ID_FILE_MRU_FILE1),
                 Line(), Item(ID_SETTINGS), Line(), Item(ID_APP_EXIT)}),
        // The clear item shows the key text of close-all beside it, though the key is not its.
        Submenu(StringId::MenuEdit, {Item(ID_EDIT_COPY), Item(ID_EDIT_PASTE),
                                     Item(ID_EDIT_CLEAR_ALL, StringId::MenuClearClipboard), Line(),
                                     Item(ID_COMMENT_TOGGLE), Item(ID_COMMENT_EDIT), Line(),
                                     Item(ID_RESIZE), Item(ID_GAMMA)}),
        Submenu(StringId::MenuSpecial,
                {Item(ID_CUSTOM_DQT_TOGGLE), Item(ID_CUSTOM_DQT_SETTINGS), Line(),
                 Item(ID_YCBCR_SPLIT), Line(), Item(ID_MARKER_EDIT_FILE), Item(ID_BATCH_CONVERT),
                 Item(ID_BATCH_FILTER)}),
        Submenu(StringId::MenuView,
                {Item(ID_VIEW_TOOLBAR), Item(ID_VIEW_ZOOMBAR), Item(ID_VIEW_STATUS_BAR),
                 Item(ID_VIEW_CONTROLBAR), Line(),
                 Submenu(StringId::MenuZoomRates, ZoomRateItems()), Item(ID_ZOOM_UP),
                 Item(ID_ZOOM_DOWN), Item(ID_ZOOM_ORIGINAL), Item(ID_ZOOM_SYNC),
                 Item(ID_FIT_WINDOW), Item(ID_ZOOM_SELECTION), Line(), Item(ID_MARKER_VIEW),
                 Item(ID_PNG_GAMMA), Item(ID_PNG_TRANSPARENT), Line(), Item(ID_EXIF_WINDOW)}),
        Submenu(StringId::MenuWindow,
                {Item(ID_WINDOW_CASCADE), Item(ID_WINDOW_TILE_HORZ), Item(ID_WINDOW_TILE_VERT),
                 Item(ID_WINDOW_ARRANGE), Line(), Item(ID_CLOSE_ALL), WindowList()}),
        Submenu(StringId::MenuHelp,
                {Item(ID_HELP_INDEX), Item(ID_HELP_FINDER), Line(), Item(ID_APP_ABOUT)}),
    };
    return menu;
}

std::vector<WindowListEntry> WindowListEntries(const CommandState& state) {
    std::vector<WindowListEntry> entries;
    for (const std::string& title : state.windowTitles) {
        const int number = static_cast<int>(entries.size()) + 1;
        std::string caption = (number <= 9 ? "&" : "") + std::to_string(number) + " ";
        for (char c : title)
            caption += c == '&' ? std::string("&&") : std::string(1, c);
        entries.push_back({caption, number - 1 == state.activeWindow});
    }
    return entries;
}

std::vector<MenuItem> ViewContextMenu(const ZoomTable& table, bool hasSelection) {
    std::vector<MenuItem> menu = {Item(ID_FILE_CLOSE, StringId::MenuCloseImage),
                                  Item(ID_FILE_SAVE_AS, StringId::MenuSaveAs),
                                  Line(),
                                  Submenu(StringId::MenuZoomRates, ZoomRateItems(&table)),
                                  Item(ID_ZOOM_UP),
                                  Item(ID_ZOOM_DOWN),
                                  Item(ID_ZOOM_ORIGINAL),
                                  Item(ID_FIT_WINDOW)};
    if (hasSelection)
        menu.insert(menu.end(), {Line(), Item(ID_ZOOM_SELECTION, StringId::MenuZoomSelection),
                                 Item(ID_EDIT_COPY, StringId::MenuCopySelection)});
    return menu;
}

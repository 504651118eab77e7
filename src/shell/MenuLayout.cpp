#include "shell/MenuLayout.h"

#include "shell/CommandId.h"

#include <utility>

namespace {

MenuItem Item(int id, const char* caption = nullptr) {
    return {MenuItemKind::Command, id, caption, {}};
}

MenuItem Line() {
    return {MenuItemKind::Separator, ID_SEPARATOR, nullptr, {}};
}

MenuItem WindowList() {
    return {MenuItemKind::WindowList, ID_SEPARATOR, nullptr, {}};
}

MenuItem Submenu(const char* title, std::vector<MenuItem> items) {
    return {MenuItemKind::Submenu, ID_SEPARATOR, title, std::move(items)};
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
        Submenu("ファイル(&F)", {Item(ID_FILE_OPEN), Line(), Item(ID_FILE_MRU_FILE1), Line(),
                                 Item(ID_SETTINGS, "環境設定(&R)"), Line(), Item(ID_APP_EXIT)}),
        Submenu("編集(&E)", {Item(ID_EDIT_PASTE), Item(ID_EDIT_CLEAR_ALL)}),
        Submenu("特殊(&Z)",
                {Item(ID_MARKER_EDIT_FILE), Item(ID_BATCH_CONVERT), Item(ID_BATCH_FILTER)}),
        Submenu("表示(&V)", {Item(ID_VIEW_TOOLBAR), Item(ID_VIEW_ZOOMBAR), Item(ID_VIEW_STATUS_BAR),
                             Item(ID_VIEW_CONTROLBAR)}),
        Submenu("ﾍﾙﾌﾟ(&H)",
                {Item(ID_HELP_INDEX), Item(ID_HELP_FINDER), Line(), Item(ID_APP_ABOUT)}),
    };
    return menu;
}

const std::vector<MenuItem>& DocumentMenu() {
    static const std::vector<MenuItem> menu = {
        Submenu("ファイル(&F)",
                {Item(ID_FILE_OPEN), Item(ID_FILE_CLOSE), Item(ID_RELOAD), Line(),
                 Item(ID_FILE_SAVE_AS), Item(ID_JPEG_CONVERT), Line(), Item(ID_FILE_MRU_FILE1),
                 Line(), Item(ID_SETTINGS), Line(), Item(ID_APP_EXIT)}),
        // The clear item shows the key text of close-all beside it, though the key is not its.
        Submenu("編集(&E)", {Item(ID_EDIT_COPY), Item(ID_EDIT_PASTE),
                             Item(ID_EDIT_CLEAR_ALL, "クリップボードの消去(&L)\tCtrl+L"), Line(),
                             Item(ID_COMMENT_TOGGLE), Item(ID_COMMENT_EDIT), Line(),
                             Item(ID_RESIZE), Item(ID_GAMMA)}),
        Submenu("特殊(&Z)", {Item(ID_CUSTOM_DQT_TOGGLE), Item(ID_CUSTOM_DQT_SETTINGS), Line(),
                             Item(ID_YCBCR_SPLIT), Line(), Item(ID_MARKER_EDIT_FILE),
                             Item(ID_BATCH_CONVERT), Item(ID_BATCH_FILTER)}),
        Submenu("表示(&V)",
                {Item(ID_VIEW_TOOLBAR), Item(ID_VIEW_ZOOMBAR), Item(ID_VIEW_STATUS_BAR),
                 Item(ID_VIEW_CONTROLBAR), Line(), Submenu("拡大率(&R)...", ZoomRateItems()),
                 Item(ID_ZOOM_UP), Item(ID_ZOOM_DOWN), Item(ID_ZOOM_ORIGINAL), Item(ID_ZOOM_SYNC),
                 Item(ID_FIT_WINDOW), Item(ID_ZOOM_SELECTION), Line(), Item(ID_MARKER_VIEW),
                 Item(ID_PNG_GAMMA), Item(ID_PNG_TRANSPARENT), Line(), Item(ID_EXIF_WINDOW)}),
        Submenu("ウィンドウ(&W)",
                {Item(ID_WINDOW_CASCADE), Item(ID_WINDOW_TILE_HORZ), Item(ID_WINDOW_TILE_VERT),
                 Item(ID_WINDOW_ARRANGE), Line(), Item(ID_CLOSE_ALL), WindowList()}),
        Submenu("ヘルプ(&H)",
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
    std::vector<MenuItem> menu = {Item(ID_FILE_CLOSE, "画像を閉じる(&C)"),
                                  Item(ID_FILE_SAVE_AS, "名前を付けて保存(&A)..."),
                                  Line(),
                                  Submenu("拡大率(&R)...", ZoomRateItems(&table)),
                                  Item(ID_ZOOM_UP),
                                  Item(ID_ZOOM_DOWN),
                                  Item(ID_ZOOM_ORIGINAL),
                                  Item(ID_FIT_WINDOW)};
    if (hasSelection)
        menu.insert(menu.end(), {Line(), Item(ID_ZOOM_SELECTION, "選択範囲を拡大(&E)"),
                                 Item(ID_EDIT_COPY, "選択範囲をコピー")});
    return menu;
}

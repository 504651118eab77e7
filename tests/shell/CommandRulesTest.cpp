#include "shell/CommandTable.h"
#include "shell/MenuLayout.h"
#include "shell/ToolBarLayout.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>

namespace {

constexpr ZoomTable kDefaultZoom = {10, 25, 33, 50, 100, 200, 300, 400, 600, 800, 1200, 1600, 0};

CommandState WithDocument(ActiveDocumentState document) {
    CommandState state;
    state.documentActive = true;
    state.document = document;
    state.zoomTable = kDefaultZoom;
    return state;
}

CommandState AtZoom(int zoom, ZoomTable table = kDefaultZoom) {
    CommandState state = WithDocument({});
    state.zoom = zoom;
    state.zoomTable = table;
    return state;
}

bool Enabled(int id, const CommandState& state) {
    return IsEnabled(*FindCommand(id), state);
}
bool Checked(int id, const CommandState& state) {
    return IsChecked(*FindCommand(id), state);
}

void CollectIds(const std::vector<MenuItem>& items, std::vector<int>& ids) {
    for (const MenuItem& item : items) {
        if (item.kind == MenuItemKind::Command) ids.push_back(item.id);
        CollectIds(item.items, ids);
    }
}

} // namespace

TEST(CommandRules, DocumentCommandsFollowTheDocumentFlags) {
    const CommandState converted =
        WithDocument({.typeCode = 135, .pathEmpty = false, .converted = true});
    const CommandState pasted = WithDocument({.typeCode = 132});
    EXPECT_TRUE(Enabled(ID_RELOAD, WithDocument({.typeCode = 133, .pathEmpty = false})));
    EXPECT_FALSE(Enabled(ID_RELOAD, pasted));
    EXPECT_FALSE(Enabled(ID_RELOAD, converted));
    EXPECT_TRUE(Enabled(ID_JPEG_CONVERT, pasted));
    EXPECT_FALSE(Enabled(ID_JPEG_CONVERT, converted));

    for (int type : {132, 133, 134, 137, 139, 0})
        EXPECT_FALSE(Enabled(ID_MARKER_VIEW, WithDocument({.typeCode = type})));
    EXPECT_TRUE(Enabled(ID_MARKER_VIEW, WithDocument({.typeCode = 135})));
    EXPECT_TRUE(Enabled(ID_MARKER_VIEW, WithDocument({.typeCode = 136})));
    EXPECT_TRUE(Enabled(ID_PNG_GAMMA, WithDocument({.typeCode = 136, .gammaPresent = true})));
    EXPECT_FALSE(Enabled(ID_PNG_GAMMA, WithDocument({.typeCode = 135, .gammaPresent = true})));
    EXPECT_FALSE(Enabled(ID_PNG_GAMMA, WithDocument({.typeCode = 136, .transparent = true})));
    EXPECT_TRUE(Enabled(ID_PNG_TRANSPARENT, WithDocument({.typeCode = 136, .transparent = true})));
    EXPECT_FALSE(
        Enabled(ID_PNG_TRANSPARENT, WithDocument({.typeCode = 136, .gammaPresent = true})));

    const CommandState flagged = WithDocument({.includeComment = true, .customDqt = true});
    EXPECT_TRUE(Enabled(ID_COMMENT_EDIT, flagged) && Checked(ID_COMMENT_TOGGLE, flagged));
    EXPECT_TRUE(Checked(ID_CUSTOM_DQT_TOGGLE, flagged));
    EXPECT_FALSE(Enabled(ID_COMMENT_EDIT, pasted) || Checked(ID_COMMENT_TOGGLE, pasted));
    EXPECT_FALSE(Checked(ID_CUSTOM_DQT_TOGGLE, pasted));
    EXPECT_TRUE(Enabled(ID_COMMENT_TOGGLE, pasted) && Enabled(ID_CUSTOM_DQT_SETTINGS, pasted));
}

TEST(CommandRules, WithoutADocumentOnlyApplicationCommandsAreEnabled) {
    CommandState state = WithDocument({.typeCode = 136,
                                       .pathEmpty = false,
                                       .includeComment = true,
                                       .customDqt = true,
                                       .gammaPresent = true,
                                       .transparent = true});
    state.documentActive = false; // stale document facts must not count
    state.zoom = 200;
    state.selecting = true;
    for (const Command& command : Commands()) {
        const bool application = command.enabled == rules::Always;
        EXPECT_EQ(IsEnabled(command, state), application) << command.id;
    }
    EXPECT_FALSE(Checked(ID_COMMENT_TOGGLE, state) || Checked(ID_ZOOM_RATE_FIRST + 5, state));
    for (int id :
         {ID_FILE_OPEN, ID_SETTINGS, ID_BATCH_FILTER, ID_EXIF_WINDOW, ID_CLOSE_ALL, ID_APP_ABOUT})
        EXPECT_TRUE(Enabled(id, state)) << id;
}

TEST(CommandRules, ZoomCommandsWalkTheTableByPosition) {
    EXPECT_TRUE(Checked(ID_ZOOM_RATE_FIRST + 4, AtZoom(100)));
    EXPECT_FALSE(Checked(ID_ZOOM_RATE_FIRST + 5, AtZoom(100)));
    EXPECT_FALSE(Enabled(ID_ZOOM_ORIGINAL, AtZoom(100)));
    EXPECT_TRUE(Enabled(ID_ZOOM_ORIGINAL, AtZoom(33)));
    EXPECT_FALSE(Enabled(ID_ZOOM_DOWN, AtZoom(10)));
    EXPECT_TRUE(Enabled(ID_ZOOM_UP, AtZoom(10)));
    EXPECT_FALSE(Enabled(ID_ZOOM_UP, AtZoom(1600)));
    EXPECT_FALSE(Enabled(ID_ZOOM_UP, AtZoom(5000))); // above the last entry: the last position
    EXPECT_TRUE(Enabled(ID_ZOOM_DOWN, AtZoom(5000)));

    // A 0 read for the fifth rate ends the table there for every step.
    const ZoomTable truncated = {10, 25, 33, 50, 0, 200, 300, 400, 600, 800, 1200, 1600, 0};
    EXPECT_FALSE(Enabled(ID_ZOOM_UP, AtZoom(50, truncated)));
    EXPECT_FALSE(Enabled(ID_ZOOM_UP, AtZoom(100, truncated)));
    EXPECT_EQ(ZoomIndex(truncated, 100), 3);
    EXPECT_EQ(ZoomIndex(ZoomTable{}, 100), -1);
    EXPECT_FALSE(Enabled(ID_ZOOM_UP, AtZoom(100, ZoomTable{})));

    // Between two entries a zoom maps to the larger one.
    ZoomTable shifted = kDefaultZoom;
    shifted[4] = 120;
    EXPECT_EQ(ZoomIndex(shifted, 100), 4);
    EXPECT_TRUE(Enabled(ID_ZOOM_UP, AtZoom(100, shifted)) &&
                Enabled(ID_ZOOM_DOWN, AtZoom(100, shifted)));
    EXPECT_FALSE(Checked(ID_ZOOM_RATE_FIRST + 4, AtZoom(100, shifted)));

    CommandState selecting = AtZoom(100);
    EXPECT_FALSE(Enabled(ID_ZOOM_SELECTION, selecting));
    selecting.selecting = true;
    EXPECT_TRUE(Enabled(ID_ZOOM_SELECTION, selecting));
}

TEST(CommandRules, MainFrameCommandsFollowClipboardBarsAndRecentList) {
    CommandState state;
    EXPECT_FALSE(Enabled(ID_EDIT_PASTE, state) || Enabled(ID_EDIT_CLEAR_ALL, state));
    EXPECT_FALSE(Enabled(ID_FILE_MRU_FILE1, state));
    for (int id :
         {ID_VIEW_TOOLBAR, ID_VIEW_ZOOMBAR, ID_VIEW_CONTROLBAR, ID_VIEW_STATUS_BAR, ID_EXIF_WINDOW})
        EXPECT_FALSE(Checked(id, state)) << id;

    state.clipboardHasImage = true;
    state.recentFilesEmpty = false;
    state.toolBarVisible = state.zoomBarVisible = state.controlBarVisible = true;
    state.statusBarVisible = state.exifWindowOpen = true;
    EXPECT_TRUE(Enabled(ID_EDIT_PASTE, state) && Enabled(ID_EDIT_CLEAR_ALL, state));
    EXPECT_TRUE(Enabled(ID_FILE_MRU_FILE1, state));
    for (int id :
         {ID_VIEW_TOOLBAR, ID_VIEW_ZOOMBAR, ID_VIEW_CONTROLBAR, ID_VIEW_STATUS_BAR, ID_EXIF_WINDOW})
        EXPECT_TRUE(Checked(id, state)) << id;
    state.recentListCleared = true;
    EXPECT_FALSE(Enabled(ID_FILE_MRU_FILE1, state));
}

TEST(CommandLayout, MenusAndToolBarsNameCommandsOfTheTable) {
    std::set<int> ids;
    for (const Command& command : Commands())
        EXPECT_TRUE(ids.insert(command.id).second) << command.id;

    std::vector<int> placed = MainToolBar();
    placed.insert(placed.end(), ZoomToolBar().begin(), ZoomToolBar().end());
    CollectIds(NoDocumentMenu(), placed);
    CollectIds(DocumentMenu(), placed);
    for (int id : placed)
        EXPECT_TRUE(id == ID_SEPARATOR || ids.contains(id)) << id;

    const MenuItem& view = DocumentMenu()[3];
    const auto zoom = std::find_if(view.items.begin(), view.items.end(), [](const MenuItem& item) {
        return item.kind == MenuItemKind::Submenu;
    });
    ASSERT_NE(zoom, view.items.end());
    EXPECT_STREQ(zoom->caption, "拡大率(&R)...");
    EXPECT_EQ(zoom->items.size(), 12u);
}

TEST(CommandLayout, WindowListNumbersTheWindowsAndChecksTheActiveOne) {
    CommandState state;
    for (const char* title : {"a.jpg", "R&D.png", "c", "d", "e", "f", "g", "h", "i", "j.bmp"})
        state.windowTitles.push_back(title);
    state.activeWindow = 1;
    const std::vector<WindowListEntry> entries = WindowListEntries(state);
    ASSERT_EQ(entries.size(), 10u);
    EXPECT_EQ(entries[0].caption, "&1 a.jpg");
    EXPECT_EQ(entries[1].caption, "&2 R&&D.png");
    EXPECT_EQ(entries[9].caption, "10 j.bmp");
    for (size_t i = 0; i < entries.size(); ++i)
        EXPECT_EQ(entries[i].checked, i == 1) << i;

    const MenuItem& windowMenu = DocumentMenu()[4];
    EXPECT_STREQ(windowMenu.caption, "ウィンドウ(&W)");
    EXPECT_EQ(windowMenu.items.back().kind, MenuItemKind::WindowList);
}

TEST(CommandLayout, EveryKeyBelongsToOneCommand) {
    std::map<std::string, int> owners;
    for (const Command& command : Commands()) {
        std::string keys = command.keys;
        for (size_t start = 0; start < keys.size();) {
            const size_t end = std::min(keys.find(", ", start), keys.size());
            const std::string key = keys.substr(start, end - start);
            EXPECT_TRUE(owners.emplace(key, command.id).second) << key;
            start = end + 2;
        }
    }
    EXPECT_EQ(owners["Ctrl+Tab"], ID_NEXT_WINDOW);
    EXPECT_EQ(owners["Ctrl+F6"], ID_NEXT_WINDOW);
    EXPECT_EQ(owners["Ctrl+L"], ID_CLOSE_ALL);
    EXPECT_EQ(owners["Ctrl+F4"], ID_FILE_CLOSE);
}

#pragma once
// The command set as data: id, menu caption, keys, status-bar prompt and tool tip; and the
// menus as lists of command ids.
#include <string>
#include <vector>

enum CommandId : int {
    ID_SEPARATOR = 0,
    ID_FILE_OPEN = 0xE101,
    ID_FILE_CLOSE = 0xE102,
    ID_FILE_SAVE_AS = 0xE104,
    ID_FILE_MRU_FILE1 = 0xE110,
    ID_EDIT_CLEAR_ALL = 0xE121,
    ID_EDIT_COPY = 0xE122,
    ID_EDIT_PASTE = 0xE125,
    ID_WINDOW_ARRANGE = 0xE130,
    ID_WINDOW_CASCADE = 0xE131,
    ID_WINDOW_TILE_HORZ = 0xE132,
    ID_WINDOW_TILE_VERT = 0xE133,
    ID_APP_ABOUT = 0xE140,
    ID_APP_EXIT = 0xE141,
    ID_HELP_INDEX = 0xE142,
    ID_HELP_FINDER = 0xE143,
    ID_VIEW_TOOLBAR = 0xE800,
    ID_VIEW_STATUS_BAR = 0xE801,
    ID_ZOOM_RATE_FIRST = 401, // 401-412
    ID_ZOOM_UP = 422,
    ID_ZOOM_DOWN = 423,
    ID_ZOOM_ORIGINAL = 424,
    ID_ZOOM_SYNC = 425,
    ID_ZOOM_SELECTION = 426,
    ID_FIT_WINDOW = 427,
    ID_CLOSE_ALL = 428,
    ID_RELOAD = 429,
    ID_JPEG_CONVERT = 431,
    ID_YCBCR_SPLIT = 432,
    ID_MARKER_VIEW = 433,
    ID_PNG_GAMMA = 434,
    ID_PNG_TRANSPARENT = 435,
    ID_MARKER_EDIT_FILE = 436,
    ID_RESIZE = 437,
    ID_BATCH_CONVERT = 438,
    ID_BATCH_FILTER = 439,
    ID_COMMENT_EDIT = 440,
    ID_SETTINGS = 441,
    ID_VIEW_CONTROLBAR = 442,
    ID_VIEW_ZOOMBAR = 443,
    ID_EXIF_WINDOW = 444,
    ID_GAMMA = 445,
    ID_COMMENT_TOGGLE = 1005,
    ID_CUSTOM_DQT_TOGGLE = 1308,
    ID_CUSTOM_DQT_SETTINGS = 1309,
    ID_FOCUS_QUALITY = 1320,
    ID_FOCUS_SAMPLING = 1321,
    ID_FOCUS_ENCODING = 1322,
};

struct Command {
    int id;
    const char* caption; // menu caption; nullptr for key-only commands
    const char* keys;    // Qt key sequences separated by ", "
    const char* prompt;
    const char* tip;
};

const std::vector<Command>& Commands();
const Command* FindCommand(int id);

struct MenuLayout {
    const char* title;
    std::vector<int> items; // command ids; ID_SEPARATOR draws a line
};

// Menu 122: the menu while no document is open.
const std::vector<MenuLayout>& EmptyMenu();
// The caption of a command in menu 122 where it differs from the document menu.
const char* EmptyMenuCaption(int id);

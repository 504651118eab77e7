#include "shell/ToolBarLayout.h"

#include "shell/CommandId.h"

const std::vector<int>& MainToolBar() {
    static const std::vector<int> buttons = {ID_FILE_OPEN,    ID_FILE_SAVE_AS, ID_SEPARATOR,
                                             ID_JPEG_CONVERT, ID_SEPARATOR,    ID_EDIT_COPY,
                                             ID_EDIT_PASTE,   ID_SEPARATOR,    ID_SETTINGS};
    return buttons;
}

const std::vector<int>& ZoomToolBar() {
    static const std::vector<int> buttons = {
        ID_ZOOM_UP,    ID_ZOOM_DOWN,      ID_ZOOM_ORIGINAL,    ID_ZOOM_SYNC,       ID_SEPARATOR,
        ID_FIT_WINDOW, ID_WINDOW_CASCADE, ID_WINDOW_TILE_HORZ, ID_WINDOW_TILE_VERT};
    return buttons;
}

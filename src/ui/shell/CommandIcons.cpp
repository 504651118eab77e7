#include "ui/shell/CommandIcons.h"

#include "shell/CommandId.h"
#include "ui/kit/SvgIcon.h"

#include <map>

namespace {

// The drawing of each tool bar command.
const std::map<int, const char*>& IconNames() {
    static const std::map<int, const char*> names = {
        {ID_FILE_OPEN, "command-open"},
        {ID_FILE_SAVE_AS, "command-save-as"},
        {ID_JPEG_CONVERT, "command-jpeg-convert"},
        {ID_EDIT_COPY, "command-copy"},
        {ID_EDIT_PASTE, "command-paste"},
        {ID_SETTINGS, "command-settings"},
        {ID_ZOOM_UP, "command-zoom-in"},
        {ID_ZOOM_DOWN, "command-zoom-out"},
        {ID_ZOOM_ORIGINAL, "command-actual-size"},
        {ID_ZOOM_SYNC, "command-zoom-sync"},
        {ID_FIT_WINDOW, "command-fit-window"},
        {ID_WINDOW_CASCADE, "command-cascade"},
        {ID_WINDOW_TILE_HORZ, "command-tile-horizontally"},
        {ID_WINDOW_TILE_VERT, "command-tile-vertically"},
    };
    return names;
}

} // namespace

QIcon CommandIcon(int commandId) {
    const auto found = IconNames().find(commandId);
    return found == IconNames().end() ? QIcon() : SvgIcon(found->second);
}

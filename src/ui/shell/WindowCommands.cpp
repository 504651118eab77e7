// The window commands: the arrangement of the document windows, closing one or all of them,
// the next and previous window, and the window list of the window menu.
#include "core/DocTemplate.h"
#include "shell/CommandId.h"
#include "shell/CommandState.h"
#include "ui/shell/CommandGroups.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <algorithm>
#include <vector>

namespace {

// Lays the windows that are not minimised out as stripes across (one above the other) or
// side by side.
void TileStripes(QMdiArea& area, bool oneAboveTheOther) {
    std::vector<QMdiSubWindow*> windows;
    for (QMdiSubWindow* window : area.subWindowList())
        if (!window->isMinimized() && !window->isHidden()) windows.push_back(window);
    if (windows.empty()) return;
    const QRect space = area.viewport()->rect();
    const int count = static_cast<int>(windows.size());
    for (int i = 0; i < count; ++i) {
        windows[i]->showNormal();
        if (oneAboveTheOther) {
            const int top = space.height() * i / count, bottom = space.height() * (i + 1) / count;
            windows[i]->setGeometry(0, top, space.width(), bottom - top);
        } else {
            const int left = space.width() * i / count, right = space.width() * (i + 1) / count;
            windows[i]->setGeometry(left, 0, right - left, space.height());
        }
    }
}

// Qt's cascade gives every window its size hint, the picture whole; a window that would then
// reach past the area ends at its edge, keeping its offset.
void CascadeWithin(QMdiArea& area) {
    area.cascadeSubWindows();
    const QRect space = area.viewport()->rect();
    for (QMdiSubWindow* window : area.subWindowList()) {
        if (window->isMinimized() || window->isHidden()) continue;
        const QRect placed = window->geometry();
        window->resize(std::min(placed.width(), space.width() - placed.x()),
                       std::min(placed.height(), space.height() - placed.y()));
    }
}

void ActivateListedWindow(QMdiArea& area, int index) {
    const QList<QMdiSubWindow*> windows = area.subWindowList(QMdiArea::CreationOrder);
    if (index < 0 || index >= windows.size()) return;
    if (windows[index]->isMinimized()) windows[index]->showNormal();
    area.setActiveSubWindow(windows[index]);
}

} // namespace

// The handlers keep the area and the documents: both outlive them.
void RegisterWindowCommands(CCommandBinder& binder, QMdiArea& area, CDocTemplate& documents) {
    binder.Bind(ID_FILE_CLOSE, [&area] {
        if (QMdiSubWindow* window = area.currentSubWindow()) window->close();
    });
    binder.Bind(ID_WINDOW_CASCADE, [&area] { CascadeWithin(area); });
    binder.Bind(ID_WINDOW_TILE_HORZ, [&area] { TileStripes(area, true); });
    binder.Bind(ID_WINDOW_TILE_VERT, [&area] { TileStripes(area, false); });
    binder.Bind(ID_WINDOW_ARRANGE, [] {}); // minimised windows keep their places
    binder.Bind(ID_CLOSE_ALL, [&documents] { documents.CloseAllDocuments(); });
    // The next and previous windows in the order they were opened, so that repeated keys visit
    // every window.
    binder.Bind(ID_NEXT_WINDOW, [&area] { area.activateNextSubWindow(); });
    binder.Bind(ID_PREV_WINDOW, [&area] { area.activatePreviousSubWindow(); });
    binder.BindWindowList([&area](int index) { ActivateListedWindow(area, index); });
}

void FillWindowList(const QMdiArea& area, CommandState& state) {
    const QList<QMdiSubWindow*> windows = area.subWindowList(QMdiArea::CreationOrder);
    for (QMdiSubWindow* window : windows)
        state.windowTitles.push_back(window->windowTitle().toStdString());
    state.activeWindow = static_cast<int>(windows.indexOf(area.currentSubWindow()));
}

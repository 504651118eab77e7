// The main frame's side of the document windows: the active view, the commands it carries out,
// and the window arrangement.
#include "shell/CommandId.h"
#include "ui/shell/ChildFrame.h"
#include "ui/shell/ImageView.h"
#include "ui/shell/MainFrame.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <algorithm>

namespace {

CChildFrame* ChildOf(QMdiSubWindow* window) {
    return window ? qobject_cast<CChildFrame*>(window->widget()) : nullptr;
}

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

} // namespace

CImageView* CMainFrame::ActiveView() const {
    CChildFrame* child = ChildOf(mdiArea_->currentSubWindow());
    return child ? child->View() : nullptr;
}

void CMainFrame::AttachDocumentWindow(QWidget* content) {
    auto* child = qobject_cast<CChildFrame*>(content);
    if (!child) return;
    CImageView* view = child->View();
    connect(view, &CImageView::zoomChanged, this, &CMainFrame::RefreshCommands);
    connect(view, &CImageView::selectionChanged, this, &CMainFrame::RefreshCommands);
    // A reload, a save under another name or an edit of the active document: the status bar,
    // the title and the Exif window show it at once.
    connect(view, &CImageView::documentChanged, this, [this, view] {
        if (view == ActiveView()) ShowActiveDocument();
    });
    connect(view, &CImageView::commandRequested, this, [this](int id) {
        if (QAction* action = Action(id)) action->trigger();
    });
    child->OnInitialUpdate();
    ShowActiveDocument();
}

void CMainFrame::SyncActiveView() {
    CImageView* view = ActiveView();
    if (!view || !view->Document()) return;
    std::vector<CImageView*> others;
    for (QMdiSubWindow* window : windows_->SyncedWindows(*view->Document()))
        if (CChildFrame* child = ChildOf(window); child && !window->isMinimized())
            others.push_back(child->View());
    view->SyncViews(others);
}

void CMainFrame::ConnectViewCommands() {
    auto onView = [this](void (CImageView::*command)()) {
        return [this, command] {
            if (CImageView* view = ActiveView()) (view->*command)();
        };
    };
    SetCommandHandler(ID_ZOOM_UP, onView(&CImageView::ZoomIn));
    SetCommandHandler(ID_ZOOM_DOWN, onView(&CImageView::ZoomOut));
    SetCommandHandler(ID_ZOOM_ORIGINAL, onView(&CImageView::ActualSize));
    SetCommandHandler(ID_ZOOM_SELECTION, onView(&CImageView::ZoomToSelection));
    SetCommandHandler(ID_ZOOM_SYNC, [this] { SyncActiveView(); });
    SetCommandHandler(ID_EDIT_COPY, [this] {
        if (CImageView* view = ActiveView()) view->Copy();
    });
    SetCommandHandler(ID_FIT_WINDOW, [this] {
        if (CChildFrame* child = ChildOf(mdiArea_->currentSubWindow())) child->FitToImage();
    });
    for (int position = 0; position <= ID_ZOOM_RATE_LAST - ID_ZOOM_RATE_FIRST; ++position)
        SetCommandHandler(ID_ZOOM_RATE_FIRST + position, [this, position] {
            if (CImageView* view = ActiveView()) view->ZoomRate(position);
        });
}

void CMainFrame::ConnectWindowCommands() {
    SetCommandHandler(ID_WINDOW_CASCADE, [this] { CascadeWithin(*mdiArea_); });
    SetCommandHandler(ID_WINDOW_TILE_HORZ, [this] { TileStripes(*mdiArea_, true); });
    SetCommandHandler(ID_WINDOW_TILE_VERT, [this] { TileStripes(*mdiArea_, false); });
    SetCommandHandler(ID_WINDOW_ARRANGE, [] {}); // minimised windows keep their places
    SetCommandHandler(ID_CLOSE_ALL, [this] { documents_.CloseAllDocuments(); });
    // The next and previous windows in the order they were opened, so that repeated keys visit
    // every window.
    SetCommandHandler(ID_NEXT_WINDOW, [this] { mdiArea_->activateNextSubWindow(); });
    SetCommandHandler(ID_PREV_WINDOW, [this] { mdiArea_->activatePreviousSubWindow(); });
    commands_.SetWindowListHandler([this](int index) {
        ActivateListedWindow(index);
        RefreshCommands();
    });
}

void CMainFrame::FillWindowList(CommandState& state) const {
    const QList<QMdiSubWindow*> windows = mdiArea_->subWindowList(QMdiArea::CreationOrder);
    for (QMdiSubWindow* window : windows)
        state.windowTitles.push_back(window->windowTitle().toStdString());
    state.activeWindow = static_cast<int>(windows.indexOf(mdiArea_->currentSubWindow()));
}

void CMainFrame::ActivateListedWindow(int index) {
    const QList<QMdiSubWindow*> windows = mdiArea_->subWindowList(QMdiArea::CreationOrder);
    if (index < 0 || index >= windows.size()) return;
    if (windows[index]->isMinimized()) windows[index]->showNormal();
    mdiArea_->setActiveSubWindow(windows[index]);
}

void CMainFrame::ShowStatusBars(bool visible) {
    for (QMdiSubWindow* window : mdiArea_->subWindowList())
        if (CChildFrame* child = ChildOf(window)) child->SetStatusBarVisible(visible);
}

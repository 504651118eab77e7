// The commands of the active view: zoom steps and rates, zoom to the selection, copy, fitting the
// window to the picture, and syncing the other views of its group.
#include "shell/CommandId.h"
#include "ui/shell/ChildFrame.h"
#include "ui/shell/CommandGroups.h"
#include "ui/shell/DocumentWindows.h"
#include "ui/shell/ImageView.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace {

CImageView* ActiveView(const QMdiArea& area) {
    CChildFrame* child = ActiveChildFrame(area);
    return child ? child->View() : nullptr;
}

// The active view's zoom and position go to the windows of its sync group that are not
// minimised.
void SyncActiveView(const QMdiArea& area, const CDocumentWindows& windows) {
    CImageView* view = ActiveView(area);
    if (!view || !view->Document()) return;
    std::vector<CImageView*> others;
    for (QMdiSubWindow* window : windows.SyncedWindows(*view->Document()))
        if (CChildFrame* child = ChildFrameOf(window); child && !window->isMinimized())
            others.push_back(child->View());
    view->SyncViews(others);
}

} // namespace

// The handlers keep the area and the windows: both outlive them.
void RegisterViewCommands(CCommandBinder& binder, QMdiArea& area, const CDocumentWindows& windows) {
    auto onView = [&area](void (CImageView::*command)()) {
        return [&area, command] {
            if (CImageView* view = ActiveView(area)) (view->*command)();
        };
    };
    binder.Bind(ID_ZOOM_UP, onView(&CImageView::ZoomIn));
    binder.Bind(ID_ZOOM_DOWN, onView(&CImageView::ZoomOut));
    binder.Bind(ID_ZOOM_ORIGINAL, onView(&CImageView::ActualSize));
    binder.Bind(ID_ZOOM_SELECTION, onView(&CImageView::ZoomToSelection));
    binder.Bind(ID_ZOOM_SYNC, [&area, &windows] { SyncActiveView(area, windows); });
    binder.Bind(ID_EDIT_COPY, [&area] {
        if (CImageView* view = ActiveView(area)) view->Copy();
    });
    binder.Bind(ID_FIT_WINDOW, [&area] {
        if (CChildFrame* child = ActiveChildFrame(area)) child->FitToImage();
    });
    for (int position = 0; position <= ID_ZOOM_RATE_LAST - ID_ZOOM_RATE_FIRST; ++position)
        binder.Bind(ID_ZOOM_RATE_FIRST + position, [&area, position] {
            if (CImageView* view = ActiveView(area)) view->ZoomRate(position);
        });
}

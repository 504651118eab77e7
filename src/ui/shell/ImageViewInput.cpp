// Keyboard and mouse of the image view: modifier keys choose the mode, arrows and pages
// scroll, the left button drags, clicks to zoom or selects, the right button selects for the
// context menu.
#include "shell/CommandId.h"
#include "shell/ViewScroll.h"
#include "ui/shell/CapsLockState.h"
#include "ui/shell/ImageView.h"

#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>
#include <memory>

namespace {

std::optional<ScrollKey> ScrollKeyOf(int key) {
    switch (key) {
    case Qt::Key_Left:
        return ScrollKey::Left;
    case Qt::Key_Right:
        return ScrollKey::Right;
    case Qt::Key_Up:
        return ScrollKey::Up;
    case Qt::Key_Down:
        return ScrollKey::Down;
    case Qt::Key_PageUp:
        return ScrollKey::PageUp;
    case Qt::Key_PageDown:
        return ScrollKey::PageDown;
    default:
        return std::nullopt;
    }
}

std::optional<ModifierKey> ModifierKeyOf(int key) {
    switch (key) {
    case Qt::Key_Shift:
        return ModifierKey::Shift;
    case Qt::Key_Control:
        return ModifierKey::Ctrl;
    case Qt::Key_Alt:
        return ModifierKey::Alt;
    default:
        return std::nullopt;
    }
}

HeldModifiers HeldOf(Qt::KeyboardModifiers modifiers) {
    return {modifiers.testFlag(Qt::ShiftModifier), modifiers.testFlag(Qt::ControlModifier),
            modifiers.testFlag(Qt::AltModifier)};
}

// Zoom to selection and copy act on the selection, so they run while it still exists.
bool NeedsSelection(int id) {
    return id == ID_ZOOM_SELECTION || id == ID_EDIT_COPY;
}

} // namespace

void CImageView::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (std::optional<ModifierKey> modifier = ModifierKeyOf(key)) {
        interaction_.KeyDown(*modifier);
        if (*modifier == ModifierKey::Alt)
            HoldPointerForAlt(true, viewport()->mapFromGlobal(QCursor::pos()));
    } else if (std::optional<ScrollKey> scroll = ScrollKeyOf(key)) {
        ScrollTo(KeyScroll(State(), *scroll, event->modifiers().testFlag(Qt::ShiftModifier)));
    } else if (key == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        interaction_.ShiftF10();
        ShowContextMenu(mapToGlobal(QPoint(0, 0)));
    } else if (key != Qt::Key_Menu) {
        event->ignore();
    }
    UpdateCursor();
}

void CImageView::keyReleaseEvent(QKeyEvent* event) {
    const int key = event->key();
    if (std::optional<ModifierKey> modifier = ModifierKeyOf(key)) {
        interaction_.KeyUp(*modifier);
        if (*modifier == ModifierKey::Alt) HoldPointerForAlt(false, {});
    } else if (key == Qt::Key_Menu)
        ShowContextMenu(mapToGlobal(QPoint(0, 0)));
    else
        event->ignore();
    UpdateCursor();
}

void CImageView::mousePressEvent(QMouseEvent* event) {
    TakeModifiers(*event);
    const Point point = ToDevice(event->position());
    if (event->button() == Qt::LeftButton)
        StartPress(interaction_.LeftPress(), point);
    else if (event->button() == Qt::RightButton)
        StartPress(interaction_.RightPress(), point);
    UpdateCursor();
}

void CImageView::TakeModifiers(const QMouseEvent& event) {
    interaction_.SyncModifiers(HeldOf(event.modifiers()));
    HoldPointerForAlt(event.modifiers().testFlag(Qt::AltModifier), event.position().toPoint());
}

// A window manager may take Alt+click for moving windows, and the lone Alt would then open the
// menu bar. While Alt is held over the view of the active window, the view holds the pointer,
// so the click comes here; it lets go once Alt is up or the pointer leaves it.
void CImageView::HoldPointerForAlt(bool altHeld, QPoint at) {
    const bool hold = altHeld && window()->isActiveWindow() && viewport()->rect().contains(at);
    if (hold && QWidget::mouseGrabber() != viewport())
        viewport()->grabMouse();
    else if (!hold && QWidget::mouseGrabber() == viewport())
        viewport()->releaseMouse();
}

void CImageView::StartPress(PressAction action, Point point) {
    const ViewState view = State();
    pressScroll_ = view.scroll;
    pressPoint_ = point;
    switch (action) {
    case PressAction::Drag:
        dragLimit_ = MaxScroll(view.Scaled(), view.client);
        break;
    case PressAction::Select:
        band_ = SpanRect(point, point);
        emit selectionChanged(true);
        break;
    case PressAction::ZoomInClick:
        if (std::optional<int> zoom = ZoomInTarget(Table(), zoom_))
            SetZoom(*zoom, ClientToImage(point, view.scroll, zoom_));
        break;
    case PressAction::ZoomOutClick:
        if (std::optional<int> zoom = ZoomOutTarget(Table(), zoom_))
            SetZoom(*zoom, ClientToImage(point, view.scroll, zoom_));
        break;
    case PressAction::None:
        break;
    }
}

void CImageView::mouseMoveEvent(QMouseEvent* event) {
    TakeModifiers(*event);
    const Point point = ToDevice(event->position());
    if (interaction_.Dragging()) {
        ScrollTo(DragScroll(pressScroll_, pressPoint_, point, dragLimit_));
    } else if (interaction_.Selecting()) {
        band_ = SpanRect(pressPoint_, point);
        viewport()->update();
    }
    UpdateCursor();
}

void CImageView::mouseReleaseEvent(QMouseEvent* event) {
    TakeModifiers(*event);
    if (event->button() == Qt::LeftButton)
        FinishRelease(interaction_.LeftRelease());
    else if (event->button() == Qt::RightButton)
        FinishRelease(interaction_.RightRelease());
    UpdateCursor();
}

void CImageView::FinishRelease(ReleaseAction action) {
    switch (action) {
    case ReleaseAction::ZoomToSelection: {
        const ZoomTarget target = ZoomToRect(State(), Table(), Selection());
        EndSelection();
        SetZoom(target.zoom, target.anchor);
        break;
    }
    case ReleaseAction::ContextMenu:
        ShowContextMenu(QCursor::pos());
        break;
    case ReleaseAction::EndDrag:
    case ReleaseAction::None:
        break;
    }
}

// The chosen command goes to the main window; the selection ends when the menu has gone.
void CImageView::ShowContextMenu(const QPoint& globalPosition) {
    std::unique_ptr<QMenu> menu(CreateContextMenu(this));
    contextMenuOpen_ = true;
    const QAction* chosen = menu->exec(globalPosition);
    contextMenuOpen_ = false;
    const int id = chosen ? chosen->data().toInt() : 0;
    if (id && NeedsSelection(id)) emit commandRequested(id);
    EndSelection();
    if (id && !NeedsSelection(id))
        QTimer::singleShot(0, this, [this, id] { emit commandRequested(id); });
}

void CImageView::EndSelection() {
    interaction_.EndSelection();
    if (!band_) return;
    band_.reset();
    viewport()->update();
    emit selectionChanged(false);
}

// The modifiers and Caps Lock may have changed while another window had the keyboard.
void CImageView::focusInEvent(QFocusEvent* event) {
    interaction_.SyncModifiers(HeldOf(QGuiApplication::queryKeyboardModifiers()));
    UpdateCursor();
    QAbstractScrollArea::focusInEvent(event);
}

void CImageView::focusOutEvent(QFocusEvent* event) {
    HoldPointerForAlt(false, {});
    // The context menu takes the focus while the selection still counts.
    if (!contextMenuOpen_ && event->reason() != Qt::PopupFocusReason) {
        EndSelection();
        interaction_.LoseFocus();
        UpdateCursor();
    }
    QAbstractScrollArea::focusOutEvent(event);
}

void CImageView::UpdateCursor() {
    viewport()->setCursor(cursors_[static_cast<int>(interaction_.Cursor(CapsLockOn()))]);
}

#include "shell/ViewInteraction.h"

#include <algorithm>
#include <iterator>

namespace {

ViewMode ModeOf(ModifierKey key) {
    switch (key) {
    case ModifierKey::Shift:
        return ViewMode::SelectToZoom;
    case ModifierKey::Ctrl:
        return ViewMode::ZoomIn;
    case ModifierKey::Alt:
        return ViewMode::ZoomOut;
    }
    return ViewMode::Normal;
}

} // namespace

ViewMode ViewInteraction::FallBack(ModifierKey first, ModifierKey second) const {
    if (Held(first)) return ModeOf(first);
    if (Held(second)) return ModeOf(second);
    return ViewMode::Normal;
}

void ViewInteraction::KeyDown(ModifierKey key) {
    held_[Index(key)] = true;
    mode_ = ModeOf(key);
}

void ViewInteraction::KeyUp(ModifierKey key) {
    switch (key) {
    case ModifierKey::Shift:
        held_[Index(key)] = false;
        mode_ = FallBack(ModifierKey::Alt, ModifierKey::Ctrl);
        break;
    case ModifierKey::Ctrl:
        held_[Index(key)] = false;
        mode_ = FallBack(ModifierKey::Alt, ModifierKey::Shift);
        break;
    case ModifierKey::Alt:
        held_[Index(key)] = false;
        mode_ = FallBack(ModifierKey::Ctrl, ModifierKey::Shift);
        break;
    }
}

void ViewInteraction::SystemAltUp() {
    held_[Index(ModifierKey::Alt)] = false;
    mode_ = Held(ModifierKey::Ctrl) ? ViewMode::ZoomIn : ViewMode::Normal;
}

void ViewInteraction::ShiftF10() {
    held_[Index(ModifierKey::Shift)] = false;
    mode_ = ViewMode::Normal;
}

void ViewInteraction::SyncModifiers(const HeldModifiers& real) {
    const bool pressed[] = {real.shift, real.ctrl, real.alt}; // by ModifierKey
    constexpr ModifierKey kKeys[] = {ModifierKey::Shift, ModifierKey::Ctrl, ModifierKey::Alt};
    for (ModifierKey key : kKeys) {
        if (pressed[Index(key)] || !Held(key)) continue;
        if (key == ModifierKey::Alt)
            SystemAltUp();
        else
            KeyUp(key);
    }
    for (ModifierKey key : kKeys)
        if (pressed[Index(key)] && !Held(key)) KeyDown(key);
}

PressAction ViewInteraction::LeftPress() {
    switch (mode_) {
    case ViewMode::Normal:
        dragging_ = true;
        return PressAction::Drag;
    case ViewMode::SelectToZoom:
        selecting_ = true;
        return PressAction::Select;
    case ViewMode::ZoomIn:
        return PressAction::ZoomInClick;
    case ViewMode::ZoomOut:
        return PressAction::ZoomOutClick;
    case ViewMode::RightSelect:
        break;
    }
    return PressAction::None;
}

PressAction ViewInteraction::RightPress() {
    if (mode_ != ViewMode::Normal || dragging_) return PressAction::None;
    mode_ = ViewMode::RightSelect;
    selecting_ = true;
    return PressAction::Select;
}

ReleaseAction ViewInteraction::LeftRelease() {
    if (mode_ == ViewMode::RightSelect) return ReleaseAction::None;
    if (dragging_) {
        dragging_ = false;
        return ReleaseAction::EndDrag;
    }
    if (!selecting_) return ReleaseAction::None;
    selecting_ = false;
    return ReleaseAction::ZoomToSelection;
}

ReleaseAction ViewInteraction::RightRelease() {
    if (mode_ != ViewMode::RightSelect) return ReleaseAction::None;
    mode_ = ViewMode::Normal;
    return ReleaseAction::ContextMenu;
}

void ViewInteraction::LoseFocus() {
    std::fill(std::begin(held_), std::end(held_), false);
    dragging_ = false;
    selecting_ = false;
    mode_ = ViewMode::Normal;
}

ViewCursor ViewInteraction::Cursor(bool capsLockOn) const {
    if (dragging_) return ViewCursor::ClosedHand;
    if (selecting_)
        return mode_ == ViewMode::RightSelect ? ViewCursor::ArrowRect : ViewCursor::ZoomIn;
    switch (mode_) {
    case ViewMode::ZoomIn:
        return ViewCursor::ZoomIn;
    case ViewMode::SelectToZoom:
        return ViewCursor::ZoomInRect;
    case ViewMode::ZoomOut:
        return ViewCursor::ZoomOut;
    case ViewMode::Normal:
    case ViewMode::RightSelect:
        break;
    }
    return capsLockOn && mode_ == ViewMode::Normal ? ViewCursor::CrossHair : ViewCursor::OpenHand;
}

#pragma once
// The image view's interaction state: which modifier keys it has seen, the mode they select,
// whether a drag or a rubber-band selection is in progress, and the cursor that goes with it.
// The mode follows the last modifier pressed; releasing one falls back to another still held.

enum class ViewMode : int {
    ZoomOut = -1,     // Alt held: a click zooms out
    Normal = 0,       // a left drag scrolls
    ZoomIn = 1,       // Ctrl held: a click zooms in
    SelectToZoom = 2, // Shift held: a left drag selects, the release zooms to the selection
    RightSelect = 3,  // a right-button selection is in progress
};

enum class ModifierKey { Shift, Ctrl, Alt };

// CrossHair is the window system's own cursor; the others are drawn by the view.
enum class ViewCursor { OpenHand, ClosedHand, ZoomIn, ZoomInRect, ZoomOut, ArrowRect, CrossHair };

struct HeldModifiers {
    bool shift = false, ctrl = false, alt = false;
};

// What a button press starts.
enum class PressAction { None, Drag, Select, ZoomInClick, ZoomOutClick };
// What a button release ends.
enum class ReleaseAction { None, EndDrag, ZoomToSelection, ContextMenu };

class ViewInteraction {
public:
    ViewMode Mode() const { return mode_; }
    bool Dragging() const { return dragging_; }
    bool Selecting() const { return selecting_; }

    void KeyDown(ModifierKey key);
    void KeyUp(ModifierKey key);
    // Alt released as a system key: Ctrl's mode or the normal one, never Shift's.
    void SystemAltUp();
    // Shift+F10 opens the context menu: Shift counts as released, the mode is normal.
    void ShiftF10();
    // The modifier keys as they really are (read from a mouse event, or from the keyboard when
    // the view gets the focus): a press or release the view missed counts now, so that no key
    // seen before the view lost the focus outlives it. A missed Alt release falls back to
    // Ctrl's mode or the normal one, as a system key's does.
    void SyncModifiers(const HeldModifiers& real);

    PressAction LeftPress();
    PressAction RightPress();
    // A left release ends a drag, or a selection that is then zoomed to.
    ReleaseAction LeftRelease();
    // A right release opens the context menu; the selection lasts until EndSelection.
    ReleaseAction RightRelease();
    void EndSelection() { selecting_ = false; }
    // Losing the focus ends a drag or selection, forgets the modifiers and goes back to the
    // normal mode.
    void LoseFocus();

    // capsLockOn: Caps Lock is toggled on, which turns the normal mode's hand into a cross-hair.
    ViewCursor Cursor(bool capsLockOn = false) const;

private:
    // The mode of the modifiers still held, preferring them in the given order.
    ViewMode FallBack(ModifierKey first, ModifierKey second) const;
    static int Index(ModifierKey key) { return static_cast<int>(key); }
    bool Held(ModifierKey key) const { return held_[Index(key)]; }

    bool held_[3] = {}; // by ModifierKey
    ViewMode mode_ = ViewMode::Normal;
    bool dragging_ = false;
    bool selecting_ = false;
};

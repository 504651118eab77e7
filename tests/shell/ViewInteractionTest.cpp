#include "shell/ViewInteraction.h"
#include "shell/ViewStatusText.h"

#include <gtest/gtest.h>

TEST(ViewInteraction, ReleasingAModifierFallsBackToOneStillHeld) {
    ViewInteraction view;
    view.KeyDown(ModifierKey::Ctrl);
    view.KeyDown(ModifierKey::Shift);
    EXPECT_EQ(view.Mode(), ViewMode::SelectToZoom);
    EXPECT_EQ(view.Cursor(), ViewCursor::ZoomInRect);
    view.KeyDown(ModifierKey::Alt);
    view.KeyUp(ModifierKey::Shift); // Alt before Ctrl
    EXPECT_EQ(view.Mode(), ViewMode::ZoomOut);
    EXPECT_EQ(view.Cursor(), ViewCursor::ZoomOut);
    view.KeyUp(ModifierKey::Alt);
    EXPECT_EQ(view.Mode(), ViewMode::ZoomIn);
    view.KeyDown(ModifierKey::Shift);
    view.KeyUp(ModifierKey::Ctrl); // Shift still held
    EXPECT_EQ(view.Mode(), ViewMode::SelectToZoom);
    view.KeyUp(ModifierKey::Shift);
    EXPECT_EQ(view.Mode(), ViewMode::Normal);
    EXPECT_EQ(view.Cursor(), ViewCursor::OpenHand);

    // Alt as a system key ignores Shift; Shift+F10 forgets Shift.
    view.KeyDown(ModifierKey::Shift);
    view.KeyDown(ModifierKey::Alt);
    view.SystemAltUp();
    EXPECT_EQ(view.Mode(), ViewMode::Normal);
    view.ShiftF10();
    view.KeyDown(ModifierKey::Alt);
    view.KeyUp(ModifierKey::Alt);
    EXPECT_EQ(view.Mode(), ViewMode::Normal);
}

TEST(ViewInteraction, MouseModifiersAreReadAgainBeforeEachAction) {
    ViewInteraction view;
    view.SyncModifiers({.alt = true});
    EXPECT_EQ(view.LeftPress(), PressAction::ZoomOutClick);
    view.KeyDown(ModifierKey::Ctrl);
    view.SyncModifiers({.ctrl = true, .alt = true}); // both already noted: Ctrl's mode stays
    EXPECT_EQ(view.Mode(), ViewMode::ZoomIn);
    view.SyncModifiers({.ctrl = true});
    EXPECT_EQ(view.LeftPress(), PressAction::ZoomInClick);
    view.SyncModifiers({.shift = true, .alt = true}); // Ctrl's release missed, Shift, Alt pressed
    EXPECT_EQ(view.Mode(), ViewMode::ZoomOut);
    view.SyncModifiers({.shift = true}); // as a system key: never Shift's mode
    EXPECT_EQ(view.Mode(), ViewMode::Normal);

    // Ctrl went down and the focus went away with it (a dialog's shortcut): it does not come
    // back as the fallback of a later Alt.
    view.KeyDown(ModifierKey::Ctrl);
    view.LoseFocus();
    view.KeyDown(ModifierKey::Alt);
    view.KeyUp(ModifierKey::Alt);
    EXPECT_EQ(view.LeftPress(), PressAction::Drag);
}

TEST(ViewInteraction, ButtonsDragSelectAndOpenTheMenu) {
    ViewInteraction view;
    EXPECT_EQ(view.Cursor(true), ViewCursor::CrossHair); // Caps Lock on, normal mode
    EXPECT_EQ(view.LeftPress(), PressAction::Drag);
    EXPECT_EQ(view.Cursor(true), ViewCursor::ClosedHand);
    EXPECT_EQ(view.RightPress(), PressAction::None); // not while dragging
    EXPECT_EQ(view.LeftRelease(), ReleaseAction::EndDrag);

    view.KeyDown(ModifierKey::Shift);
    EXPECT_EQ(view.LeftPress(), PressAction::Select);
    EXPECT_EQ(view.Cursor(), ViewCursor::ZoomIn);
    EXPECT_EQ(view.LeftRelease(), ReleaseAction::ZoomToSelection);
    EXPECT_FALSE(view.Selecting());
    EXPECT_EQ(view.RightPress(), PressAction::None); // only in the normal mode
    view.KeyUp(ModifierKey::Shift);

    EXPECT_EQ(view.RightPress(), PressAction::Select);
    EXPECT_EQ(view.Cursor(), ViewCursor::ArrowRect);
    EXPECT_EQ(view.LeftPress(), PressAction::None);
    EXPECT_EQ(view.LeftRelease(), ReleaseAction::None);
    EXPECT_EQ(view.RightRelease(), ReleaseAction::ContextMenu);
    EXPECT_TRUE(view.Selecting()); // while the menu is open
    view.EndSelection();
    EXPECT_EQ(view.RightRelease(), ReleaseAction::None);

    view.KeyDown(ModifierKey::Shift);
    view.LeftPress();
    view.LoseFocus();
    EXPECT_FALSE(view.Selecting());
    EXPECT_EQ(view.Mode(), ViewMode::Normal);
}

TEST(ViewStatusText, FileSizeAndZoomPanes) {
    EXPECT_EQ(FileSizePaneText(1234567), "[1,234,567(1.1M)byte]");
    EXPECT_EQ(FileSizePaneText(0), " [Unknown]");
    EXPECT_EQ(ZoomPaneText(1600), "1600%");
}

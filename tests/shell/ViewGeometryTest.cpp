#include "shell/FrameFit.h"
#include "shell/ViewPaint.h"
#include "shell/ViewScroll.h"
#include "shell/ZoomChange.h"

#include <climits>
#include <gtest/gtest.h>

namespace {

const ZoomTable kDefaultTable = {10, 25, 33, 50, 100, 200, 300, 400, 600, 800, 1200, 1600, 0};

// A 1000 x 800 image in a 400 x 300 client area.
ViewState View(int zoom, Point scroll = {}) {
    return {zoom, {1000, 800}, {400, 300}, scroll};
}

} // namespace

TEST(ViewCoordinates, ConvertBothWaysWithoutOverflow) {
    EXPECT_EQ(ToView(100, 33), 33);
    EXPECT_EQ(ToImage(33, 33), 100);
    for (int v = 0; v < 3000; ++v)
        ASSERT_EQ(ToView(ToImage(v, 33), 33), v) << v;
    for (int i = 0; i < 3000; ++i)
        ASSERT_EQ(ToImage(ToView(i, 1600), 1600), i) << i;
    EXPECT_EQ(ToView(Size{65535, 3}, 1600), (Size{1048560, 48}));
    EXPECT_EQ(ToView(INT_MAX, 1600), INT_MAX);
    EXPECT_EQ(ClientToImage({10, 20}, {90, 80}, 200), (Point{50, 50}));
    EXPECT_EQ(SelectedImageRegion({10, 20, 110, 70}, {90, 80}, 200), (Rect{50, 50, 100, 75}));
    EXPECT_EQ(SpanRect({5, 9}, {2, 3}), (Rect{2, 3, 5, 9}));
    EXPECT_EQ(CentredScroll({1000, 800}, {400, 300}), (Point{300, 250}));
    EXPECT_EQ(CentredScroll({100, 800}, {400, 300}), (Point{0, 250}));
}

TEST(ZoomSteps, StopAtTheEndsOfTheTable) {
    EXPECT_FALSE(ZoomInTarget(kDefaultTable, 1600));
    EXPECT_FALSE(ZoomOutTarget(kDefaultTable, 10));
    EXPECT_EQ(ZoomInTarget(kDefaultTable, 33), 50);
    EXPECT_EQ(ZoomOutTarget(kDefaultTable, 33), 25);
    EXPECT_EQ(ZoomIndex(kDefaultTable, 40), 3);    // between entries: the larger one
    EXPECT_EQ(ZoomIndex(kDefaultTable, 5000), 11); // above the last: the last
    EXPECT_EQ(ZoomRateTarget(kDefaultTable, 11), 1600);
    EXPECT_FALSE(ZoomRateTarget(kDefaultTable, 12));
}

TEST(ZoomSteps, GoByTablePosition) {
    const ZoomTable with120 = {10, 25, 33, 50, 120, 200, 300, 400, 600, 800, 1200, 1600, 0};
    EXPECT_EQ(ZoomInTarget(with120, kActualSizeZoom), 200);
    EXPECT_EQ(ZoomOutTarget(with120, kActualSizeZoom), 50);

    const ZoomTable cutShort = {10, 25, 33, 50, 0, 200, 300, 400, 600, 800, 1200, 1600, 0};
    EXPECT_FALSE(ZoomInTarget(cutShort, 50));
    EXPECT_EQ(ZoomOutTarget(cutShort, 1600), 33);
    EXPECT_FALSE(ZoomRateTarget(cutShort, 4));
    EXPECT_EQ(ZoomRateTarget(cutShort, 5), 200);

    const ZoomTable empty = {};
    EXPECT_EQ(ZoomIndex(empty, 100), -1);
    EXPECT_FALSE(ZoomInTarget(empty, 100));
    EXPECT_FALSE(ZoomOutTarget(empty, 100));
    EXPECT_EQ(ZoomToRect(View(100), empty, {0, 0, 200, 200}).zoom, 100);
}

TEST(ChangeZoom, KeepsTheCentreAndClampsIntoTheScrollRange) {
    ZoomChange in = ChangeZoom(View(100, {300, 250}), 200);
    EXPECT_TRUE(in.changed);
    EXPECT_EQ(in.scaled, (Size{2000, 1600}));
    EXPECT_EQ(in.scroll, (Point{800, 650}));
    EXPECT_FALSE(in.erase);

    // From the bottom-right corner at 400 % down to a picture smaller than the client area.
    ZoomChange out = ChangeZoom(View(400, {3600, 2900}), 25);
    EXPECT_EQ(out.scaled, (Size{250, 200}));
    EXPECT_EQ(out.scroll, (Point{0, 0}));
    EXPECT_TRUE(out.erase);

    ZoomChange actualSize = ChangeZoom(View(300, {500, 400}), kActualSizeZoom, Point{0, 0});
    EXPECT_EQ(actualSize.zoom, 100);
    EXPECT_EQ(actualSize.scroll, (Point{0, 0}));

    for (int same : {100, 0, -50}) {
        ZoomChange none = ChangeZoom(View(100, {7, 9}), same);
        EXPECT_FALSE(none.changed);
        EXPECT_EQ(none.zoom, 100);
        EXPECT_EQ(none.scroll, (Point{7, 9}));
    }

    // An anchor far off the picture scales past the int range and is held there: the view
    // goes to the nearest end of the scroll range.
    ZoomChange far = ChangeZoom(View(100), 100000, Point{-30000000, 30000000});
    EXPECT_EQ(far.scroll, (Point{0, far.scaled.height - 300}));
}

TEST(ZoomToRect, ZoomsToTheSelectionOrKeepsTheView) {
    ZoomTarget target = ZoomToRect(View(100), kDefaultTable, {100, 50, 300, 250});
    EXPECT_EQ(target.zoom, 400); // min(1000 * 100 / 200, 800 * 100 / 200)
    EXPECT_EQ(target.anchor, (Point{200, 150}));

    ViewState view = View(200, {123, 45});
    ZoomTarget tiny = ZoomToRect(view, kDefaultTable, {100, 100, 103, 103});
    ZoomChange change = ChangeZoom(view, tiny.zoom, tiny.anchor);
    EXPECT_FALSE(change.changed);
    EXPECT_EQ(change.scroll, view.scroll);
}

TEST(SyncView, SameZoomScrollsOtherwiseZoomsAroundTheCentre) {
    ViewState view = View(200, {800, 650});
    ViewState bigger{200, {1000, 800}, {600, 500}, {0, 0}};
    ZoomChange scrolled = SyncView(view, bigger);
    EXPECT_FALSE(scrolled.changed);
    EXPECT_EQ(scrolled.scroll, (Point{800, 650}));
    bigger.client = {1500, 1200};
    EXPECT_EQ(SyncView(view, bigger).scroll, (Point{500, 400}));

    ZoomChange zoomed = SyncView(view, View(100));
    EXPECT_TRUE(zoomed.changed);
    EXPECT_EQ(zoomed.zoom, 200);
    EXPECT_EQ(zoomed.scroll, (Point{800, 650}));
    // A view whose picture was smaller than its window shows the same centre all the same.
    EXPECT_EQ(SyncView(view, View(25)).scroll, (Point{800, 650}));
}

TEST(RegionToPaint, OverlapsWithinTheImage) {
    PaintRegion topLeft = RegionToPaint(View(100));
    EXPECT_EQ(topLeft.source, (Point{0, 0}));
    EXPECT_EQ(topLeft.sourceSize, (Size{402, 302}));

    PaintRegion bottomRight = RegionToPaint(View(100, {600, 500}));
    EXPECT_EQ(bottomRight.source, (Point{599, 499}));
    EXPECT_EQ(bottomRight.sourceSize, (Size{401, 301}));

    PaintRegion zoomed = RegionToPaint(View(200, {1600, 1300}));
    EXPECT_EQ(zoomed.source, (Point{799, 649}));
    EXPECT_EQ(zoomed.sourceSize, (Size{201, 151}));
    EXPECT_EQ(zoomed.destination, (Point{1598, 1298}));
    EXPECT_EQ(zoomed.destinationSize, (Size{402, 302}));

    PaintRegion small = RegionToPaint({100, {100, 50}, {400, 300}, {}});
    EXPECT_EQ(small.sourceSize, (Size{100, 50}));
    EXPECT_EQ(CheckerPhase({13, 8}), (Point{5, 0}));
}

TEST(ViewScroll, StepsAndDragsWithinTheRange) {
    EXPECT_EQ(KeyScroll(View(100, {10, 10}), ScrollKey::Right, false), (Point{11, 10}));
    EXPECT_EQ(KeyScroll(View(100, {10, 10}), ScrollKey::PageDown, true), (Point{10, 266}));
    EXPECT_EQ(KeyScroll(View(100, {10, 10}), ScrollKey::Left, true), (Point{0, 10}));
    EXPECT_EQ(KeyScroll(View(300, {10, 10}), ScrollKey::Right, true), (Point{58, 10}));
    EXPECT_EQ(KeyScroll(View(100, {600, 500}), ScrollKey::Down, false), (Point{600, 500}));
    EXPECT_EQ(KeyScroll(View(25), ScrollKey::PageDown, false), (Point{0, 0}));

    Point limit = MaxScroll({1000, 800}, {400, 300});
    EXPECT_EQ(DragScroll({100, 100}, {50, 50}, {80, 20}, limit), (Point{70, 130}));
    EXPECT_EQ(DragScroll({100, 100}, {50, 50}, {900, -900}, limit), (Point{0, 500}));
}

TEST(FitFrameToImage, GrowsShrinksAndStaysInTheArea) {
    FrameFitInput fit{{1000, 800}, {300, 200}, {10, 40}, {500, 400}};
    EXPECT_EQ(FitFrameToImage(fit), (Rect{300, 200, 810, 640}));
    fit.scaled = {2000, 1600};
    EXPECT_EQ(FitFrameToImage(fit), (Rect{0, 0, 1000, 800}));
    fit.scaled = {500, 400};
    fit.position = {700, 500};
    EXPECT_EQ(FitFrameToImage(fit), (Rect{490, 360, 1000, 800}));
}

#include "imageops/DialogNumber.h"
#include "imageops/GammaCurveModel.h"
#include "imageops/GammaDialogModel.h"
#include "imageops/PreviewModel.h"
#include "imageops/SizeDialogModel.h"

#include <gtest/gtest.h>

TEST(DialogNumber, WholeNumbersOrZero) {
    EXPECT_EQ(ReadUnsignedField(" 640 "), 640u);
    EXPECT_EQ(ReadUnsignedField("4294967296"), 0u);
    EXPECT_EQ(ReadUnsignedField("-5"), 0u);
    EXPECT_EQ(ReadUnsignedField("12px"), 0u);
    EXPECT_EQ(ReadSignedField("-255"), -255);
    EXPECT_DOUBLE_EQ(ReadDecimalField(" 2.5x"), 2.5);
}

TEST(SizeDialogModel, AspectRuleFollowsTheLastEdit) {
    SizeDialogModel dialog(640, 480);
    dialog.EditWidth("320");
    EXPECT_EQ(dialog.HeightText(), "240");
    dialog.EditHeight("100"); // 100 × 640 / 480 = 133.3
    EXPECT_EQ(dialog.WidthText(), "133");
    dialog.EditWidth("4000000000"); // no overflow in width × H
    EXPECT_EQ(dialog.HeightText(), "3000000000");

    dialog.SetKeepAspect(false);
    dialog.EditWidth("90");
    EXPECT_EQ(dialog.HeightText(), "3000000000");
    dialog.SetKeepAspect(true); // applies the width rule, then forgets the edit
    EXPECT_EQ(dialog.HeightText(), "67");
    dialog.SetKeepAspect(false);
    dialog.EditHeight("5");
    dialog.SetKeepAspect(false);
    dialog.SetKeepAspect(true);
    EXPECT_EQ(dialog.WidthText(), "6");
    EXPECT_TRUE(dialog.SizeChanged());
}

TEST(GammaDialogModel, SlidersAndEdits) {
    GammaDialogModel dialog;
    EXPECT_EQ(dialog.GammaText(), "1.00");
    dialog.MoveGammaSlider(200);
    EXPECT_EQ(dialog.GammaText(), "2.00");
    EXPECT_EQ(dialog.GammaTable()[1], 16);
    // The edit notification caused by the slider changes nothing.
    EXPECT_EQ(dialog.EditGamma(dialog.GammaText()), EditOutcome::Unchanged);

    for (const char* refused : {"5", "nan", "abc", "0.009"})
        EXPECT_EQ(dialog.EditGamma(refused), EditOutcome::Refused) << refused;
    EXPECT_DOUBLE_EQ(dialog.Gamma(), 2.0);
    EXPECT_EQ(dialog.EditGamma("0.01"), EditOutcome::Changed);
    EXPECT_EQ(dialog.EditGamma("4.99"), EditOutcome::Changed);
    EXPECT_EQ(dialog.GammaSliderPosition(), 499);

    dialog.MoveContrastSlider(383);
    EXPECT_EQ(dialog.ContrastText(), "128");
    EXPECT_EQ(dialog.LevelTable()[10], 21);
    EXPECT_EQ(dialog.EditBias("300"), EditOutcome::Refused);
    EXPECT_EQ(dialog.EditBias("-10"), EditOutcome::Changed);
    EXPECT_EQ(dialog.BiasSliderPosition(), 245);
    EXPECT_EQ(dialog.EditContrast("zero"), EditOutcome::Changed); // not a number reads as 0
    EXPECT_EQ(dialog.Contrast(), 0);
}

TEST(GammaCurveModel, SquarePlotCentredInTheClientArea) {
    int gamma[256], levels[256];
    for (int i = 0; i < 256; ++i)
        gamma[i] = levels[i] = i;
    const uint8_t pixels[] = {9, 50, 70, 0, 60, 61, 200, 0}; // 1 × 2, padding 0 ignored
    GammaCurveModel curve(gamma, levels, FindSampleRange(pixels, {4, 1, 2}));
    curve.Resize(120, 100);
    EXPECT_EQ(curve.Side(), 98);
    EXPECT_EQ(curve.Left(), 11);
    EXPECT_EQ(curve.Top(), 1);
    EXPECT_EQ(curve.Frame()[0].x, 10);
    EXPECT_EQ(curve.Frame()[1].y, 100);
    EXPECT_EQ(curve.MinimumMarker()[0].x, 11 + 9 * 98 / 255);
    EXPECT_EQ(curve.MaximumMarker()[0].x, 11 + 200 * 98 / 255);
    auto points = curve.Curve();
    EXPECT_EQ(points[0].y, 99); // input 0, output 0: bottom left
    EXPECT_EQ(points[255].x, 109);
    EXPECT_EQ(points[255].y, 1);
    levels[0] = 255; // the curve reads the dialog's tables at every call
    EXPECT_EQ(curve.Curve()[0].y, 1);
}

TEST(PreviewModel, FitsTheWholePictureInside) {
    struct Case {
        int w, h, cx, cy;
        PreviewRect fitted;
    } cases[] = {{400, 200, 100, 100, {0, 25, 100, 50}},   // landscape fills the width
                 {300, 300, 100, 100, {0, 0, 100, 100}},   // square fills the height
                 {100, 300, 200, 150, {75, 0, 50, 150}},   // portrait fills the height
                 {400, 200, 300, 100, {50, 0, 200, 100}}}; // wider window: the height
    for (const Case& c : cases) {
        PreviewModel preview(c.w, c.h);
        preview.Resize(c.cx, c.cy);
        const PreviewRect& r = preview.Fitted();
        EXPECT_EQ((std::array{r.x, r.y, r.width, r.height}),
                  (std::array{c.fitted.x, c.fitted.y, c.fitted.width, c.fitted.height}))
            << c.w << "x" << c.h << " in " << c.cx << "x" << c.cy;
    }
}

TEST(PreviewModel, DetailOriginFromClicksAndCentring) {
    PreviewModel preview(1000, 500);
    preview.Resize(200, 200);
    EXPECT_EQ(preview.SourceX(), 400);
    EXPECT_EQ(preview.SourceY(), 150);
    // Fitted: 200 × 100 at y 50, scale 5. A click near the right edge stops at w − cx.
    preview.Click(199, 100);
    EXPECT_EQ(preview.Mode(), PreviewMode::Detail);
    EXPECT_EQ(preview.CursorId(), kZoomOutCursor);
    EXPECT_EQ(preview.SourceX(), 800);
    EXPECT_EQ(preview.SourceY(), 150);
    preview.Click(0, 0);
    EXPECT_EQ(preview.Mode(), PreviewMode::Whole);
    preview.Click(0, 0);
    EXPECT_EQ(preview.SourceX(), 0);

    // A picture smaller than the window is centred by the destination offset.
    PreviewModel small(50, 30);
    small.Resize(200, 100);
    EXPECT_EQ(small.DestinationX(), 75);
    EXPECT_EQ(small.DestinationY(), 35);
    small.Click(150, 50);
    EXPECT_EQ(small.SourceX(), 0);
}

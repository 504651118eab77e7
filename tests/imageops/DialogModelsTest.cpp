#include "imageops/DialogNumber.h"
#include "imageops/GammaCurveModel.h"
#include "imageops/GammaDialogModel.h"
#include "imageops/PreviewModel.h"
#include "imageops/SizeDialogModel.h"

#include <gtest/gtest.h>

TEST(DialogNumber, WholeNumbersOrZero) {
    EXPECT_EQ(ReadUnsignedField(" 640 "), 640u);
    EXPECT_EQ(ReadUnsignedField("4294967295"), 4294967295u);
    EXPECT_EQ(ReadUnsignedField("4294967296"), 0u);
    EXPECT_EQ(ReadUnsignedField("-5"), 0u);
    EXPECT_EQ(ReadUnsignedField("12px"), 0u);
    EXPECT_EQ(ReadUnsignedField(""), 0u);
    EXPECT_EQ(ReadSignedField("-255"), -255);
    EXPECT_EQ(ReadSignedField("+7"), 7);
    EXPECT_EQ(ReadSignedField("-"), 0);
    EXPECT_DOUBLE_EQ(ReadDecimalField(" 2.5x"), 2.5);
    EXPECT_DOUBLE_EQ(ReadDecimalField("abc"), 0.0);
}

TEST(SizeDialogModel, KeepsTheAspectOfTheStartingSize) {
    SizeDialogModel dialog(640, 480);
    EXPECT_TRUE(dialog.KeepAspect());
    EXPECT_FALSE(dialog.SizeChanged());
    dialog.EditWidth("320");
    EXPECT_EQ(dialog.HeightText(), "240");
    dialog.EditHeight("100"); // 100 × 640 / 480 = 133.3
    EXPECT_EQ(dialog.WidthText(), "133");
    dialog.EditWidth("x");
    EXPECT_EQ(dialog.HeightText(), "0");
    EXPECT_EQ(dialog.ChosenWidth(), 0u);
    // Large numbers stay exact: 4000000000 × 480 / 640.
    dialog.EditWidth("4000000000");
    EXPECT_EQ(dialog.HeightText(), "3000000000");
}

TEST(SizeDialogModel, CheckingAppliesTheLastEditOnce) {
    SizeDialogModel dialog(300, 200);
    dialog.SetKeepAspect(false);
    dialog.EditHeight("50");
    EXPECT_EQ(dialog.WidthText(), "300");
    dialog.EditWidth("90");
    dialog.SetKeepAspect(true); // the width was edited last
    EXPECT_EQ(dialog.WidthText(), "90");
    EXPECT_EQ(dialog.HeightText(), "60");
    dialog.SetKeepAspect(false);
    dialog.SetKeepAspect(true); // nothing edited since: nothing changes
    EXPECT_EQ(dialog.WidthText(), "90");
    EXPECT_EQ(dialog.HeightText(), "60");
    EXPECT_TRUE(dialog.SizeChanged());
}

TEST(GammaDialogModel, SlidersAndEdits) {
    GammaDialogModel dialog;
    EXPECT_EQ(dialog.GammaText(), "1.00");
    EXPECT_EQ(dialog.GammaSliderPosition(), 100);
    EXPECT_EQ(dialog.GammaTable()[77], 77);
    EXPECT_EQ(dialog.LevelTable()[77], 77);

    dialog.MoveGammaSlider(200);
    EXPECT_EQ(dialog.GammaText(), "2.00");
    EXPECT_EQ(dialog.GammaTable()[1], 16);
    // The edit notification caused by the slider changes nothing.
    EXPECT_EQ(dialog.EditGamma(dialog.GammaText()), EditOutcome::Unchanged);

    EXPECT_EQ(dialog.EditGamma("5"), EditOutcome::Refused);
    EXPECT_EQ(dialog.EditGamma("nan"), EditOutcome::Refused);
    EXPECT_EQ(dialog.EditGamma("abc"), EditOutcome::Refused);
    EXPECT_EQ(dialog.EditGamma(""), EditOutcome::Unchanged);
    EXPECT_DOUBLE_EQ(dialog.Gamma(), 2.0);
    EXPECT_EQ(dialog.EditGamma("0.01"), EditOutcome::Changed);
    EXPECT_EQ(dialog.GammaSliderPosition(), 1);
    EXPECT_EQ(dialog.EditGamma("4.99"), EditOutcome::Changed);
    EXPECT_EQ(dialog.GammaSliderPosition(), 499);

    dialog.MoveContrastSlider(383);
    EXPECT_EQ(dialog.Contrast(), 128);
    EXPECT_EQ(dialog.ContrastText(), "128");
    EXPECT_EQ(dialog.LevelTable()[10], 21);
    EXPECT_EQ(dialog.EditBias("-10"), EditOutcome::Changed);
    EXPECT_EQ(dialog.BiasSliderPosition(), 245);
    EXPECT_EQ(dialog.EditBias("300"), EditOutcome::Refused);
    EXPECT_EQ(dialog.Bias(), -10);
    EXPECT_EQ(dialog.EditContrast("zero"), EditOutcome::Changed); // not a number reads as 0
    EXPECT_EQ(dialog.Contrast(), 0);
}

TEST(GammaCurveModel, SquarePlotCentredInTheClientArea) {
    int gamma[256], levels[256];
    for (int i = 0; i < 256; ++i)
        gamma[i] = levels[i] = i;
    GammaCurveModel curve(gamma, levels, {10, 200});
    curve.Resize(120, 100);
    EXPECT_EQ(curve.Side(), 98);
    EXPECT_EQ(curve.Left(), 11);
    EXPECT_EQ(curve.Top(), 1);
    EXPECT_EQ(curve.Frame()[0].x, 10);
    EXPECT_EQ(curve.Frame()[1].y, 100);
    EXPECT_EQ(curve.MinimumMarker()[0].x, 11 + 10 * 98 / 255);
    EXPECT_EQ(curve.MaximumMarker()[1].y, 99);
    auto points = curve.Curve();
    EXPECT_EQ(points[0].x, 11);
    EXPECT_EQ(points[0].y, 99); // input 0, output 0: bottom left
    EXPECT_EQ(points[255].x, 109);
    EXPECT_EQ(points[255].y, 1); // output 255: top right
    levels[0] = 255;             // the curve reads the dialog's tables at every call
    EXPECT_EQ(curve.Curve()[0].y, 1);
}

TEST(GammaCurveModel, SampleRangeIgnoresPadding) {
    const uint8_t pixels[] = {9, 50, 70, 0, 60, 61, 200, 0}; // 1 × 2, rows of 4 bytes
    SampleRange range = FindSampleRange(pixels, {4, 1, 2});
    EXPECT_EQ(range.minimum, 9);
    EXPECT_EQ(range.maximum, 200);
}

TEST(PreviewModel, FitsTheWholePicture) {
    PreviewModel landscape(400, 200);
    landscape.Resize(100, 100);
    EXPECT_EQ(landscape.Mode(), PreviewMode::Whole);
    EXPECT_EQ(landscape.CursorId(), kZoomInCursor);
    EXPECT_EQ(landscape.Fitted().width, 100);
    EXPECT_EQ(landscape.Fitted().height, 50);
    EXPECT_EQ(landscape.Fitted().y, 25);
    EXPECT_DOUBLE_EQ(landscape.Scale(), 4.0);

    PreviewModel square(300, 300);
    square.Resize(100, 100);
    EXPECT_EQ(square.Fitted().height, 100);
    EXPECT_EQ(square.Fitted().width, 100);

    PreviewModel portrait(100, 300);
    portrait.Resize(200, 150);
    EXPECT_EQ(portrait.Fitted().height, 150);
    EXPECT_EQ(portrait.Fitted().width, 50);
    EXPECT_EQ(portrait.Fitted().x, 75);

    // A landscape picture in a window wider still fills the height, and stays inside.
    PreviewModel wide(400, 200);
    wide.Resize(300, 100);
    EXPECT_EQ(wide.Fitted().height, 100);
    EXPECT_EQ(wide.Fitted().width, 200);
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
    EXPECT_EQ(preview.SourceY(), 0);

    // A picture smaller than the window is centred by the destination offset.
    PreviewModel small(50, 30);
    small.Resize(200, 100);
    EXPECT_EQ(small.SourceX(), 0);
    EXPECT_EQ(small.DestinationX(), 75);
    EXPECT_EQ(small.DestinationY(), 35);
    small.Click(150, 50);
    EXPECT_EQ(small.SourceX(), 0);

    PreviewModel empty(50, 30);
    empty.Resize(0, 0);
    EXPECT_DOUBLE_EQ(empty.Scale(), 0.0);
}

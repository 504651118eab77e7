#pragma once
// The gamma / brightness dialog "ガンマ/輝度補正": three sliders with edit fields for the gamma
// value, the contrast and the bias, the "v-i Curve" window and the preview window. The curve
// follows every slider movement; the preview is recomputed when the user lets go of a slider,
// for each keyboard or page step, and for each accepted edit. The dialog works on its own packed
// copy of the document's picture and changes nothing; its caller applies the tables on OK.
#include "imageops/DocumentImage.h"
#include "imageops/GammaCurveModel.h"
#include "imageops/GammaDialogModel.h"

#include <QDialog>

class CCurveWindow;
class CImageDoc;
class CPreviewWindow;
class QLineEdit;
class QSlider;

class CGammaDialog : public QDialog {
public:
    CGammaDialog(CImageDoc& document, QWidget* parent);

    const GammaDialogModel& Model() const { return model_; }

private:
    // One row of the dialog: a slider and its edit field.
    struct Row {
        QSlider* slider;
        QLineEdit* edit;
    };
    enum RowId { GammaRow, ContrastRow, BiasRow };

    QWidget* CreateSliders();
    QWidget* CreateCurve(SampleRange range);
    QWidget* CreatePreview();
    QWidget* CreateButtons();
    Row CreateRow(RowId id, int minimum, int maximum, int tickInterval, int pageStep);
    int PositionOf(RowId id) const;
    QString TextOf(RowId id) const;
    void ShowValues();
    void OnSliderMoved(RowId id, int position);
    void OnEdited(RowId id, const QString& text);
    void RefreshPreview();

    GammaDialogModel model_;
    PackedPicture picture_;
    Row rows_[3] = {};
    CCurveWindow* curve_ = nullptr;
    CPreviewWindow* preview_ = nullptr;
};

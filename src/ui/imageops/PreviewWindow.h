#pragma once
// The preview window of the gamma dialog: the picture with the dialog's transfer, either whole
// and fitted into the window or as a 1:1 detail. A click on the whole picture shows the detail
// around the clicked point, a click on the detail the whole picture again. It works in device
// pixels, so that the detail is 1:1 on a scaled screen too.
#include "imageops/PreviewModel.h"
#include "imageops/PreviewPixels.h"

#include <QWidget>

class CPreviewWindow : public QWidget {
public:
    // The packed 24-bit picture and the tables are owned by the caller and outlive the window.
    // smooth: the whole picture is reduced by averaging (the halftone stretch setting).
    CPreviewWindow(const uint8_t* picture, const PixelLayout& layout, const int* gamma,
                   const int* levels, bool smooth, QWidget* parent);

    // Recomputes the shown pixels from the tables.
    void ApplyTransfer();
    void SetMode(PreviewMode mode);
    void ToggleMode();

    const PreviewModel& Model() const { return model_; }
    const PreviewPixels& Pixels() const { return pixels_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // Samples the picture anew for the mode and geometry, then applies the transfer.
    void Resample();
    void ShowModeCursor();

    PreviewModel model_;
    PreviewPixels pixels_;
    const int* gamma_;
    const int* levels_;
    bool smooth_;
};

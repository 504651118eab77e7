#pragma once
// The "v-i Curve" window of the gamma dialog: the transfer from input (left to right) to output
// (bottom to top) in a square plot, with dotted markers at the picture's smallest and largest
// sample value. It reads the dialog's tables at every paint; the dialog calls update() after
// each change.
#include "imageops/GammaCurveModel.h"

#include <QWidget>

class CCurveWindow : public QWidget {
public:
    // The tables are owned by the caller and outlive the window.
    CCurveWindow(const int* gamma, const int* levels, SampleRange range, QWidget* parent);

    const GammaCurveModel& Model() const { return model_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    GammaCurveModel model_;
};

#pragma once
// The geometry of the gamma dialog's preview: either the whole picture fitted into the window,
// or a 1:1 detail whose source origin a click chooses. Sizes are in pixels.
#include <cstdint>

enum class PreviewMode { Detail = 0, Whole = 1 };

constexpr int kZoomInCursor = 114;  // magnifier with "+", shown over the whole picture
constexpr int kZoomOutCursor = 115; // magnifier with "−", shown over the detail

struct PreviewRect {
    int x, y, width, height;
};

class PreviewModel {
public:
    PreviewModel(int imageWidth, int imageHeight);

    void Resize(int clientWidth, int clientHeight);
    // A click on the whole picture shows the detail centred on the clicked point (kept within
    // the picture); a click on the detail goes back to the whole picture.
    void Click(int x, int y);
    void SetMode(PreviewMode mode) { mode_ = mode; }
    void ToggleMode() {
        mode_ = mode_ == PreviewMode::Whole ? PreviewMode::Detail : PreviewMode::Whole;
    }

    PreviewMode Mode() const { return mode_; }
    int CursorId() const { return mode_ == PreviewMode::Whole ? kZoomInCursor : kZoomOutCursor; }
    // Whole picture: where it is drawn, and source pixels per window pixel.
    const PreviewRect& Fitted() const { return fitted_; }
    double Scale() const { return scale_; }
    // Detail: the source pixel drawn at the destination offset (a picture smaller than the
    // window is centred by the offset).
    int SourceX() const { return sourceX_; }
    int SourceY() const { return sourceY_; }
    int DestinationX() const { return destinationX_; }
    int DestinationY() const { return destinationY_; }
    // Detail: the part of the client area the picture covers, from the destination offset (no
    // wider than what is left of the picture right of and below the source origin).
    PreviewRect Detail() const;

private:
    void CentreDetail();
    void FitWhole();

    int imageWidth_, imageHeight_;
    int clientWidth_ = 0, clientHeight_ = 0;
    PreviewMode mode_ = PreviewMode::Whole;
    PreviewRect fitted_{0, 0, 0, 0};
    double scale_ = 0.0;
    int sourceX_ = 0, sourceY_ = 0, destinationX_ = 0, destinationY_ = 0;
};

#pragma once
// The geometry of the transfer curve window ("v-i Curve"): a square plot of side s at (x0, y0)
// centred in the client area, input running left to right and output bottom to top, with
// dotted markers at the smallest and largest sample value of the image.
#include "imageops/PixelLayout.h"

#include <array>
#include <cstdint>

struct CurvePoint {
    int x, y;
};

struct SampleRange {
    int minimum = 255;
    int maximum = 0;
};

// Smallest and largest sample byte (3 × width per row) of a packed 24-bit block; an empty
// block gives minimum 255 and maximum 0.
SampleRange FindSampleRange(const uint8_t* pixels, const PixelLayout& layout);

class GammaCurveModel {
public:
    // The tables are owned by the dialog and read at every paint.
    GammaCurveModel(const int* gamma, const int* levels, SampleRange range);

    void Resize(int clientWidth, int clientHeight);
    int Side() const { return side_; }
    int Left() const { return x0_; }
    int Top() const { return y0_; }

    // The frame around the plot: top left (x0 − 1, y0 − 1), bottom right (x0 + s + 1, y0 + s + 1).
    std::array<CurvePoint, 2> Frame() const;
    // The vertical marker of a sample value: top and bottom end.
    std::array<CurvePoint, 2> Marker(int value) const;
    std::array<CurvePoint, 2> MinimumMarker() const { return Marker(range_.minimum); }
    std::array<CurvePoint, 2> MaximumMarker() const { return Marker(range_.maximum); }
    // The curve through (x0 + i·s/255, y0 + (255 − G[T[i]])·s/255) for i = 0 ... 255.
    std::array<CurvePoint, 256> Curve() const;

private:
    const int* gamma_;
    const int* levels_;
    SampleRange range_;
    int side_ = 0, x0_ = 0, y0_ = 0;
};

#pragma once
// The one-line description of a PNG file, as the status bar shows it: "800x600 Int.PNG(Idx
// 4bit) +T +G".
#include <cstdint>
#include <string>

#include <png.h>

// The IHDR facts of a file being read or written.
struct PngLayout {
    uint32_t width = 0;
    uint32_t height = 0;
    int bitDepth = 0;
    int colorType = 0;
    int interlace = 0;
    int channels = 0;

    int PixelDepth() const { return channels * bitDepth; }
    bool IsGray() const {
        return colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA;
    }
};

// The layout recorded in an info structure (before any read transformation is applied).
PngLayout PngLayoutOf(png_const_structrp png, png_const_inforp info);

// " +T" follows for a transparent colour, " +G" for a gamma value.
std::string DescribePng(const PngLayout& layout, bool transparent, bool gammaPresent);

#include "core/PngInfoCommands.h"

#include "core/ImageDoc.h"

#include <cstdio>

std::string PngGammaMessage(const CImageDoc& document) {
    if (!document.Facts().hasGamma) return "No Gamma Value";
    char text[64];
    std::snprintf(text, sizeof text, "Gamma=%f", document.Facts().gamma);
    return text;
}

uint32_t PngTransparentColor(const CImageDoc& document) {
    const RgbQuad& color = document.Facts().transparentColor;
    return uint32_t{color.rgbRed} << 16 | uint32_t{color.rgbGreen} << 8 | color.rgbBlue;
}

#include "core/PngInfoCommands.h"

#include "app/util/FileExtension.h"
#include "core/ImageDoc.h"

#include <cstdio>

bool CanShowPngGamma(const CImageDoc& document) {
    return document.DocType() == kTypePng && document.Facts().hasGamma;
}

std::string PngGammaMessage(const CImageDoc& document) {
    if (!document.Facts().hasGamma) return "No Gamma Value";
    char text[64];
    std::snprintf(text, sizeof text, "Gamma=%f", document.Facts().gamma);
    return text;
}

bool CanShowPngTransparentColor(const CImageDoc& document) {
    return document.DocType() == kTypePng && document.Facts().hasTransparent;
}

uint32_t PngTransparentColor(const CImageDoc& document) {
    const RgbQuad& color = document.Facts().transparentColor;
    return uint32_t{color.rgbRed} << 16 | uint32_t{color.rgbGreen} << 8 | color.rgbBlue;
}

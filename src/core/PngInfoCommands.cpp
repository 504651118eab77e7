#include "core/PngInfoCommands.h"

#include "app/util/FileExtension.h"
#include "core/ImageDoc.h"

#include <cstdio>

bool CanShowPngGamma(const CImageDoc& document) {
    return document.docType == kTypePng && document.hasGamma;
}

std::string PngGammaMessage(const CImageDoc& document) {
    if (!document.hasGamma) return "No Gamma Value";
    char text[64];
    std::snprintf(text, sizeof text, "Gamma=%f", document.gamma);
    return text;
}

bool CanShowPngTransparentColor(const CImageDoc& document) {
    return document.docType == kTypePng && document.hasTransparent;
}

uint32_t PngTransparentColor(const CImageDoc& document) {
    const RgbQuad& color = document.transparentColor;
    return uint32_t{color.rgbRed} << 16 | uint32_t{color.rgbGreen} << 8 | color.rgbBlue;
}

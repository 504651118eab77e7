#include "core/PngDescription.h"

#include "core/ImageFacts.h"

#include <cstdio>

PngLayout PngLayoutOf(png_const_structrp png, png_const_inforp info) {
    PngLayout layout;
    layout.width = png_get_image_width(png, info);
    layout.height = png_get_image_height(png, info);
    layout.bitDepth = png_get_bit_depth(png, info);
    layout.colorType = png_get_color_type(png, info);
    layout.interlace = png_get_interlace_type(png, info);
    layout.channels = png_get_channels(png, info);
    return layout;
}

namespace {

std::string ColorTypeLabel(int colorType) {
    switch (colorType) {
    case PNG_COLOR_TYPE_GRAY:
        return "(Gray";
    case PNG_COLOR_TYPE_RGB:
        return "(RGB";
    case PNG_COLOR_TYPE_PALETTE:
        return "(Idx";
    case PNG_COLOR_TYPE_GRAY_ALPHA:
        return "(@Gray";
    case PNG_COLOR_TYPE_RGB_ALPHA:
        return "(@RGB";
    default: {
        char text[32];
        std::snprintf(text, sizeof text, "(cType=%x", static_cast<unsigned>(colorType));
        return text;
    }
    }
}

} // namespace

std::string DescribePng(const PngLayout& layout, bool transparent, bool gammaPresent) {
    std::string text =
        FormatImageSize(static_cast<int>(layout.width), static_cast<int>(layout.height));
    if (layout.interlace != PNG_INTERLACE_NONE) text += "Int.";
    text +=
        "PNG" + ColorTypeLabel(layout.colorType) + " " + std::to_string(layout.bitDepth) + "bit)";
    if (transparent) text += " +T";
    if (gammaPresent) text += " +G";
    return text;
}

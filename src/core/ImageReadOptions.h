#pragma once
// What the readers take from the settings and the screen, built by their caller.
#include "core/CommentItem.h"
#include "core/PngRead.h"

#include <memory>

struct SettingsStore;

// The smallest size a caller needs of a picture: a JPEG may then be decoded at a reduced DCT
// scale (1/2, 1/4 or 1/8, the smallest whose size is still at least this both ways), which is
// much faster and not the same pixels. 0 × 0 decodes every file at its full size.
struct DecodeAtLeast {
    int width = 0, height = 0;
};

struct ImageReadOptions {
    int screenDepth = 24;   // bits per pixel of the screen the picture is prepared for
    int ditherFor16bit = 0; // UseDitherFor16bitColor
    PngLoadOptions png;
    CommentCharsets readCharsets; // how comments of undeclared charset are decoded
    DecodeAtLeast atLeast;

    static ImageReadOptions FromSettings(const SettingsStore& settings, int screenDepth);
};

// PrepareForDisplay for the options' screen.
std::unique_ptr<CDibImage> PrepareForScreen(std::unique_ptr<CDibImage> image,
                                            const ImageReadOptions& options);

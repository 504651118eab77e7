#pragma once
// What the readers take from the settings and the screen, built by their caller.
#include "core/CommentItem.h"
#include "core/PngRead.h"

#include <memory>

struct SettingsStore;

struct ImageReadOptions {
    int screenDepth = 24;   // bits per pixel of the screen the picture is prepared for
    int ditherFor16bit = 0; // UseDitherFor16bitColor
    PngLoadOptions png;
    CommentCharsets readCharsets; // how comments of undeclared charset are decoded

    static ImageReadOptions FromSettings(const SettingsStore& settings, int screenDepth);
};

// PrepareForDisplay for the options' screen.
std::unique_ptr<CDibImage> PrepareForScreen(std::unique_ptr<CDibImage> image,
                                            const ImageReadOptions& options);

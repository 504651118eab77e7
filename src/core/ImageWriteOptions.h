#pragma once
// What the writers take from the settings, built by their caller.
#include "core/JpegWrite.h"
#include "core/PngWrite.h"

struct SettingsStore;

struct ImageWriteOptions {
    JpegWriteSettings jpeg; // the format values; the document adds its tables and comment
    int autoWriteCharset = 1;
    int writeCharset = 3; // the comment's charset when it is not the item's own
    PngSaveOptions png;

    static ImageWriteOptions FromSettings(const SettingsStore& settings);
};

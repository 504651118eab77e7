#pragma once
// What the writers take from the settings, built by their caller.
#include "core/CommentItem.h"
#include "core/JpegWriteSettings.h"
#include "core/PngWrite.h"

struct SettingsStore;

struct ImageWriteOptions {
    JpegWriteSettings jpeg; // the format values; the document adds its tables and comment
    CommentCharsets writeCharsets{1, 3}; // how comments are encoded
    PngSaveOptions png;

    static ImageWriteOptions FromSettings(const SettingsStore& settings);
};

#pragma once
// The JPEG format values a save uses: quality, sampling, progressive mode, restart markers,
// density, optional custom quantization tables and the comment.
#include "jpegtools/QuantTablePair.h"

#include <optional>
#include <string>

struct SettingsStore;

// Sampling indices (Param2): luminance sampling factors, or a one-component grayscale file.
enum JpegSampling : int {
    kSamplingGray = 0,
    kSampling11 = 1,
    kSampling21 = 2,
    kSampling22 = 3,
    kSampling12 = 4,
};

struct JpegWriteSettings {
    int quality = 75; // 0..100
    int sampling = kSampling21;
    bool progressive = false;
    bool restartEveryRow = false; // one restart interval per MCU row
    int densityUnit = 0, xDensity = 1, yDensity = 1;
    std::optional<QuantTablePair> customTables;
    // The COM segment's bytes, already in the file's encoding (charset code of Charset.h);
    // none when not set. Text beyond what a segment holds is cut at a character boundary.
    std::optional<std::string> comment;
    int commentCharset = 3;
};

// The format values of the settings: Param1 to Param3, resolution and IncludeRST.
JpegWriteSettings JpegWriteSettingsFrom(const SettingsStore& settings);

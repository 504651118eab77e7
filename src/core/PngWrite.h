#pragma once
// PNG writing with libpng in one of five save modes: 24-bit RGB, 8- or 4-bit indexed (colours
// matched to a palette by CColorMatcher), 8- or 4-bit gray; with a transparent colour (tRNS),
// a gamma value (gAMA), the comments as tEXt or iTXt chunks and optional interlacing.
#include "core/DibImage.h"
#include "core/PngRead.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

struct SettingsStore;

enum PngSaveMode : int {
    kPngSaveRgb24 = 0,
    kPngSaveIndexed8 = 1,
    kPngSaveIndexed4 = 2,
    kPngSaveGray8 = 3,
    kPngSaveGray4 = 4,
};
constexpr int kPngSaveModeCount = 5;

struct PngSaveOptions {
    bool useInterlaceOnSave = false;
    bool useDefaultGammaOnSave = false; // write defaultGamma instead of the document's gamma
    bool usePngITxt = false;            // comments as iTXt (UTF-8) instead of tEXt
    double defaultGamma = 0.45455;
    std::string iTxtLanguage = "ja-jp";

    static PngSaveOptions FromSettings(const SettingsStore& settings);
};

// What the writer takes from the document.
struct PngSaveRequest {
    int saveMode = kPngSaveRgb24; // a mode outside 0..4 writes 24-bit RGB
    // The document's palette copy. A palette mode drops it when it does not fit the mode's bit
    // depth and then uses (and leaves here) the fixed palette of 16 or 256 entries.
    std::vector<RgbQuad> palette;
    int bitsPerPixel = 0; // pixel depth of the document's source file
    bool transparent = false;
    RgbQuad transparentColor{};
    bool writeGamma = false;
    double gamma = 0.45455;
    // The comments, texts already encoded for the file (UTF-8 when options.usePngITxt), in
    // list order. Empty: no text chunks.
    std::vector<PngTextEntry> texts;
};

// The written file as the document records it.
struct PngSaveResult {
    std::string description;
    int bitsPerPixel = 0;
    bool grayscale = false;
    uint64_t fileSize = 0;
};

// A 24-bit packed DIB: bottom-up rows of blue, green, red, `stride` bytes apart. The writer
// converts the rows in place.
struct PackedRgbRows {
    uint8_t* pixels = nullptr;
    size_t width = 0;
    size_t height = 0;
    size_t stride = 0;
};

// Colour type and bit depth of a save mode.
void PngSaveModeFormat(int saveMode, int& colorType, int& bitDepth);

// Writes the PNG into an open stream, which the caller closes (and checks). Failures are
// reported under "SavePngFile" with the path.
bool WritePngStream(std::FILE* file, const std::string& path, PackedRgbRows rows,
                    PngSaveRequest& request, const PngSaveOptions& options, PngSaveResult& result);
// Writes the file. Failures are reported under "SavePngFile" with the path; a file that could
// not be written completely is removed.
bool WritePngFile(const std::string& path, PackedRgbRows rows, PngSaveRequest& request,
                  const PngSaveOptions& options, PngSaveResult& result);

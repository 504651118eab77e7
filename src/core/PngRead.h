#pragma once
// PNG reading with libpng: the picture becomes a packed bottom-up DIB, 8-bit indexed for
// palette and gray files or 24-bit otherwise, optionally composed over a checkerboard where it
// is transparent and corrected for the display gamma. The file's palette, transparent colour,
// gamma and text chunks are handed back beside it.
#include "core/DibImage.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

struct SettingsStore;

struct PngLoadOptions {
    bool useTransparentOnLoad = false; // compose transparent pixels over the checkerboard
    bool useGammaCorrection = true;
    bool useDefaultGammaOnLoad = false; // correct with defaultGamma even when the file has gAMA
    double defaultGamma = 0.45455;
    double screenGamma = 2.2;

    static PngLoadOptions FromSettings(const SettingsStore& settings);
};

// A text chunk: keyword and text as stored (iTXt text is UTF-8).
struct PngTextEntry {
    std::string keyword;
    std::string text;
    bool international = false; // iTXt

    bool operator==(const PngTextEntry&) const = default;
};

// What a read learns about the file besides its pixels.
struct PngFileFacts {
    uint64_t fileSize = 0;
    std::vector<RgbQuad> palette; // the file's palette (or 256 grays), without gamma correction
    bool transparent = false;
    RgbQuad transparentColor{};
    bool gammaPresent = false; // the file has gAMA (and no sRGB)
    double gamma = 0;          // its value
    bool grayscale = false;
    int bitsPerPixel = 0; // channels × bit depth of the file
    std::string description;
    std::vector<PngTextEntry> texts; // in file order
};

// Decodes the file into the packed form of `image` (header, colour table and pixels; the
// device form is left alone). Failures are reported under "LoadPngFile" with `path`.
bool ReadPngFile(const std::string& path, const PngLoadOptions& options, CDibImage& image,
                 PngFileFacts& facts);
// The same over an open stream positioned at the signature; `path` only names it in reports.
bool ReadPngStream(std::FILE* file, const std::string& path, const PngLoadOptions& options,
                   CDibImage& image, PngFileFacts& facts);

// The checkerboard behind transparent pixels, for column x and bottom-up row y: white and light
// gray (192) squares of 4 × 4 pixels, white at the bottom-left corner.
inline uint8_t CheckerboardLevel(size_t x, size_t y) {
    return ((x & 7) < 4) == ((y & 7) < 4) ? 255 : 192;
}

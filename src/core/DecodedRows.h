#pragma once
// What the readers built on a decoding library share: the encoded file's bytes, the memory
// check from the header's size, and the library's 8-bit RGB or RGBA rows (top-down) turned into
// the packed 24-bit DIB. Alpha is composed over the checkerboard when the settings ask for
// transparency on load, as for PNG, and dropped otherwise.
#include "core/DibImage.h"
#include "core/ImageFacts.h"
#include "core/ImageReadOptions.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Rows as a library hands them over: `channels` is 3 (R G B) or 4 (R G B A).
struct DecodedRows {
    const uint8_t* data = nullptr;
    size_t stride = 0;
    int width = 0, height = 0;
    int channels = 3;
};

// The whole file, or nothing after a report under `name` (cannot open, above the memory limit).
std::optional<std::vector<uint8_t>> ReadEncodedFile(const char* name, const std::string& path);

// Whether a picture of this size may be decoded: at most maxPixels pixels (else reported as
// out of memory) and within the memory limit with `bytesPerPixel` of decoder buffers beside the
// DIB (else reported with the need). Called with the header's size, before any decoding.
bool MayDecodePicture(const char* name, const std::string& path, uint64_t width, uint64_t height,
                      size_t maxPixels, uint64_t bytesPerPixel);

// The packed 24-bit DIB of the rows, or null when memory runs out.
std::unique_ptr<CDibImage> PictureFromRows(const DecodedRows& rows, bool composeAlpha);

// The pixel limit of an encoded file of `fileSize` bytes: compressed formats describe many
// pixels a byte, so only sizes far beyond any real picture of that length are refused.
size_t EncodedPixelLimit(uint64_t fileSize);

// The picture prepared for the screen, with the file's size among its facts; nothing after a
// report when there is no picture or no display form for it.
std::optional<DecodedPicture> ScreenPicture(const char* name, const std::string& path,
                                            std::unique_ptr<CDibImage> image,
                                            const ImageReadOptions& options, uint64_t fileSize);

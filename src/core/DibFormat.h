#pragma once
// The layout of a packed DIB as its header block describes it: size, row order, pixel format,
// channel masks and colour table. Accepts the 40-byte header and its longer (V4, V5) and shorter
// (OS/2 2.x) variants; a 12-byte OS/2 1.x header is first rewritten by ConvertCoreHeader.
#include "core/DibTypes.h"

#include <cstddef>
#include <cstdint>
#include <vector>

struct DibFormat {
    size_t width = 0, height = 0; // height is the absolute value of biHeight
    bool topDown = false;         // biHeight < 0: the first row in memory is the top row
    int planes = 1;
    int bitCount = 0;
    uint32_t compression = kBiRgb;
    uint32_t masks[3] = {}; // red, green, blue of 16- and 32-bit pixels
    const RgbQuad* colorTable = nullptr;
    size_t colorCount = 0; // entries present in the header block
    size_t headerEnd = 0;  // end of the declared colour table within the header block

    size_t Stride() const { return DibStride(width, bitCount); }
    bool IsIndexed() const { return bitCount <= 8; }
};

// Reads the header block; false when it is too short or describes no DIB that can be decoded
// (bit counts 1, 4, 8, 16, 24, 32; compressions BI_RGB, RLE8, RLE4 and BI_BITFIELDS).
bool ParseDibFormat(const uint8_t* header, size_t size, DibFormat& format);

// Bytes of a packed DIB's header and colour table (where the pixels follow when both come in
// one block); the whole size when the header cannot be read.
size_t DibHeaderBlockEnd(const uint8_t* block, size_t size);

// Rewrites a header block that starts with a 12-byte OS/2 1.x header (3-byte colour entries)
// as a 40-byte header with 4-byte entries; other blocks stay as they are. False for an OS/2
// header that is cut short or has a bit count other than 1, 4, 8 or 24.
bool ConvertCoreHeader(std::vector<uint8_t>& block);

#pragma once
// Decoding of a packed DIB's pixel block into the device form, top row first: palette DIBs
// (1, 4, 8 bits, RLE4, RLE8) into one index per pixel, the others into B,G,R,X words.
#include "core/DibFormat.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Whether a pixel block of the given size may be decoded: uncompressed rows must all be there
// (the last one may lack its padding); compressed data may expand only so far, so that a short
// file cannot claim a huge picture.
bool FitsPixelBlock(const DibFormat& format, size_t size);

// Fill width × height entries; callers check FitsPixelBlock first. Pixels that RLE data
// skips keep index 0.
void DecodeIndexed(const DibFormat& format, const uint8_t* pixels, size_t size, uint8_t* out);
void DecodeTrueColor(const DibFormat& format, const uint8_t* pixels, size_t size, uint32_t* out);

// Decodes the rows of a true-colour pixel block (16, 24, 32 bits) into device-form words, the
// whole block at once or stretch by stretch as a reader brings them in.
class CTrueColorRows {
public:
    explicit CTrueColorRows(const DibFormat& format);
    // `count` rows as they lie in the block (Stride() bytes apart), the first of them the
    // block's row `first`, into their places in `picture` (width × height words). Every row
    // must hold its pixels; the last one may lack its padding.
    void Decode(const uint8_t* rows, size_t first, size_t count, uint32_t* picture) const;

private:
    const DibFormat& format_;
    std::vector<uint32_t> table16_; // every 16-bit value's word
};

// RLE8 or RLE4 data of a bottom-up picture; runs and deltas past the picture's edges are clipped
// and the decoding stops at the end-of-bitmap code or where the data ends.
void DecodeRle(bool fourBit, size_t width, size_t height, const uint8_t* data, size_t size,
               uint8_t* indices);

// The device form's word for a colour: 0xFF in the unused high byte, so that the rows can be
// shown as they are as 32-bit RGB.
constexpr uint32_t DeviceWord(uint32_t red, uint32_t green, uint32_t blue) {
    return 0xFF000000u | red << 16 | green << 8 | blue;
}

#pragma once
// The records of a packed DIB (its 40-byte header and colour table entries) and the arithmetic
// of its colour types, depths and row strides.
#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
struct BitmapInfoHeader {
    uint32_t biSize = 40;
    int32_t biWidth = 0;
    int32_t biHeight = 0;
    uint16_t biPlanes = 1;
    uint16_t biBitCount = 0;
    uint32_t biCompression = 0;
    uint32_t biSizeImage = 0;
    int32_t biXPelsPerMeter = 0;
    int32_t biYPelsPerMeter = 0;
    uint32_t biClrUsed = 0;
    uint32_t biClrImportant = 0;
};
struct RgbQuad {
    uint8_t rgbBlue = 0, rgbGreen = 0, rgbRed = 0, rgbReserved = 0;
};
#pragma pack(pop)
static_assert(sizeof(BitmapInfoHeader) == 40);

constexpr uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3;

// Colour types: 0 true colour, 2 / 16 / 256 palette entries.
constexpr int ColorTypeOf(int planes, int bitCount) {
    switch (planes * bitCount) {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

// The depth a colour type is packed at: 24, 1, 4 or 8 bits; 0 for no colour type.
constexpr int BitCountOfColorType(int colorType) {
    switch (colorType) {
    case 0:
        return 24;
    case 2:
        return 1;
    case 16:
        return 4;
    case 256:
        return 8;
    default:
        return 0;
    }
}

// Bytes of one packed row of the given depth, padded to a multiple of 4.
constexpr size_t DibStride(size_t width, int bitCount) {
    return (width * static_cast<size_t>(bitCount) + 31) / 32 * 4;
}

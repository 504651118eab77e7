#include "core/MagPicture.h"

#include "base/ByteReader.h"

#include <new>

void ConvertGrbPalette(const uint8_t* grb, size_t count, RgbQuad* table) {
    for (size_t i = 0; i < count; ++i, grb += 3) {
        table[i].rgbGreen = grb[0];
        table[i].rgbRed = grb[1];
        table[i].rgbBlue = grb[2];
        table[i].rgbReserved = 0;
    }
}

bool AllocateRows(MagPicture& picture) {
    size_t bytes = 0;
    if (picture.width <= 0 || picture.height <= 0 ||
        !CheckedMultiply(picture.Stride(), static_cast<size_t>(picture.height), bytes))
        return false;
    try {
        picture.rows.assign(bytes, 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

#pragma once
// Keeps fuzzing fast: pictures above a quarter million pixels (which a few bytes of RLE data may
// legitimately declare) are skipped; the decoder's own limits are tested by the unit tests.
#include "core/DibFormat.h"

inline bool IsSmallDib(const uint8_t* header, size_t size) {
    DibFormat format;
    return !ParseDibFormat(header, size, format) || format.width * format.height <= (1u << 18);
}

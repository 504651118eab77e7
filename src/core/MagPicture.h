#pragma once
// A decoded MAG or MAKI picture before it becomes an image buffer: what the file says about
// itself and the picture as rows of palette indices, top row first.
#include "core/DibImage.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct MagPicture {
    std::string signature;           // the 8 signature bytes, e.g. "MAKI02  "
    std::string author;              // machine code and user name, Shift_JIS bytes as stored
    std::string comment;             // MAG comment, Shift_JIS bytes as stored
    int width = 0, height = 0;       // picture size, lines already doubled in 200-line mode
    int colorCount = 0;              // palette entries in use: 8, 16 or 256
    int bits = 0;                    // depth named in the description: 3, 4 or 8
    int dibBitCount = 0;             // depth of the rows: 8 (MAG) or 4 (MAKI)
    std::vector<RgbQuad> colorTable; // 256 entries (MAG) or 16 (MAKI)
    std::vector<uint8_t> rows;       // height rows of Stride() bytes, top row first

    size_t Stride() const { return DibStride(static_cast<size_t>(width), dibBitCount); }
    uint8_t* Row(size_t y) { return rows.data() + y * Stride(); }
    const uint8_t* Row(size_t y) const { return rows.data() + y * Stride(); }
};

// One section of the file (flag or pixel data), read from the front.
struct SectionStream {
    const uint8_t* data = nullptr;
    size_t size = 0;
    size_t position = 0;

    bool Next(uint8_t& value) {
        if (position >= size) return false;
        value = data[position++];
        return true;
    }
};

// Screen-mode bits shared by MAG and MAKI headers.
constexpr uint8_t kMode200Line = 0x01; // each stored line is shown twice
constexpr uint8_t kMode8Color = 0x02;
constexpr uint8_t kMode256Color = 0x80; // MAG only

// Converts count palette entries stored green, red, blue into table (blue, green, red).
void ConvertGrbPalette(const uint8_t* grb, size_t count, RgbQuad* table);
// Allocates the rows of a picture whose size and depth are set (zeroed); false when the size
// does not fit in memory arithmetic.
bool AllocateRows(MagPicture& picture);

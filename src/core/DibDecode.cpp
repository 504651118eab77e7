#include "core/DibDecode.h"

#include "base/ByteReader.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

namespace {

// A compressed picture may have this many pixels whatever its data size ...
constexpr size_t kCompressedPixelFloor = size_t{1} << 26;
// ... and beyond it no more than this many per byte of data (a run codes at most 255 pixels in
// two bytes).
constexpr size_t kCompressedPixelsPerByte = 256;

// One channel of a bit-field pixel, scaled to 8 bits.
class Channel {
public:
    explicit Channel(uint32_t mask)
        : mask_(mask), shift_(mask ? std::countr_zero(mask) : 0), max_(mask ? mask >> shift_ : 0) {}
    uint32_t Value(uint32_t pixel) const {
        uint32_t value = (pixel & mask_) >> shift_;
        if (max_ == 255 || max_ == 0) return value;
        return static_cast<uint32_t>((uint64_t{value} * 255 + max_ / 2) / max_);
    }

private:
    uint32_t mask_;
    int shift_;
    uint32_t max_;
};

// Row in memory → row of the device form.
size_t DeviceRow(const DibFormat& format, size_t memoryRow) {
    return format.topDown ? memoryRow : format.height - 1 - memoryRow;
}

void UnpackIndices(const uint8_t* source, size_t width, int bitCount, uint8_t* out) {
    switch (bitCount) {
    case 1:
        for (size_t x = 0; x < width; ++x)
            out[x] = (source[x >> 3] >> (7 - (x & 7))) & 1;
        break;
    case 4:
        for (size_t x = 0; x < width; ++x)
            out[x] = (x & 1) ? source[x >> 1] & 0x0F : source[x >> 1] >> 4;
        break;
    default:
        std::memcpy(out, source, width);
    }
}

uint32_t ReadPixelWord(const uint8_t* p, int bitCount) {
    return bitCount == 16
               ? uint32_t{p[0]} | uint32_t{p[1]} << 8
               : uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

// 16- and 32-bit pixels through their masks; 16-bit ones through a table of every value.
void DecodeMaskedRow(const DibFormat& format, const uint8_t* source, uint32_t* out,
                     const std::vector<uint32_t>& table16) {
    const Channel red(format.masks[0]), green(format.masks[1]), blue(format.masks[2]);
    size_t step = format.bitCount / 8;
    for (size_t x = 0; x < format.width; ++x, source += step) {
        uint32_t word = ReadPixelWord(source, format.bitCount);
        out[x] = format.bitCount == 16
                     ? table16[word]
                     : DeviceWord(red.Value(word), green.Value(word), blue.Value(word));
    }
}

std::vector<uint32_t> Table16(const DibFormat& format) {
    if (format.bitCount != 16) return {};
    const Channel red(format.masks[0]), green(format.masks[1]), blue(format.masks[2]);
    std::vector<uint32_t> table(65536);
    for (uint32_t word = 0; word < table.size(); ++word)
        table[word] = DeviceWord(red.Value(word), green.Value(word), blue.Value(word));
    return table;
}

void DecodeRow24(const uint8_t* source, size_t width, uint32_t* out) {
    for (size_t x = 0; x < width; ++x, source += 3)
        out[x] = DeviceWord(source[2], source[1], source[0]);
}

bool IsPlain32(const DibFormat& format) {
    return format.bitCount == 32 && format.masks[0] == 0xFF0000 && format.masks[1] == 0xFF00 &&
           format.masks[2] == 0xFF;
}

void DecodeRow32(const uint8_t* source, size_t width, uint32_t* out) {
    for (size_t x = 0; x < width; ++x, source += 4)
        out[x] = DeviceWord(source[2], source[1], source[0]);
}

} // namespace

bool FitsPixelBlock(const DibFormat& format, size_t size) {
    size_t pixels;
    if (!CheckedMultiply(format.width, format.height, pixels)) return false;
    if (format.compression == kBiRle8 || format.compression == kBiRle4) {
        size_t allowed;
        if (!CheckedMultiply(size, kCompressedPixelsPerByte, allowed)) return true;
        return pixels <= std::max(allowed, kCompressedPixelFloor);
    }
    size_t lastRow = (format.width * static_cast<size_t>(format.bitCount) + 7) / 8;
    size_t needed;
    return CheckedMultiply(format.height - 1, format.Stride(), needed) &&
           CheckedAdd(needed, lastRow, needed) && needed <= size;
}

void DecodeIndexed(const DibFormat& format, const uint8_t* pixels, size_t size, uint8_t* out) {
    if (format.compression == kBiRle8 || format.compression == kBiRle4) {
        DecodeRle(format.compression == kBiRle4, format.width, format.height, pixels, size, out);
        return;
    }
    for (size_t row = 0; row < format.height; ++row)
        UnpackIndices(pixels + row * format.Stride(), format.width, format.bitCount,
                      out + DeviceRow(format, row) * format.width);
}

void DecodeTrueColor(const DibFormat& format, const uint8_t* pixels, size_t, uint32_t* out) {
    CTrueColorRows(format).Decode(pixels, 0, format.height, out);
}

CTrueColorRows::CTrueColorRows(const DibFormat& format)
    : format_(format), table16_(Table16(format)) {}

void CTrueColorRows::Decode(const uint8_t* rows, size_t first, size_t count,
                            uint32_t* picture) const {
    for (size_t row = first; row < first + count; ++row, rows += format_.Stride()) {
        uint32_t* target = picture + DeviceRow(format_, row) * format_.width;
        if (format_.bitCount == 24)
            DecodeRow24(rows, format_.width, target);
        else if (IsPlain32(format_))
            DecodeRow32(rows, format_.width, target);
        else
            DecodeMaskedRow(format_, rows, target, table16_);
    }
}

void DecodeRle(bool fourBit, size_t width, size_t height, const uint8_t* data, size_t size,
               uint8_t* indices) {
    ByteReader in(data, size);
    size_t x = 0, y = 0; // y counts rows from the bottom
    auto put = [&](size_t column, uint8_t index) {
        if (column < width) indices[(height - 1 - y) * width + column] = index;
    };
    auto nibbleOrByte = [&](const uint8_t* bytes, size_t i) -> uint8_t {
        if (!fourBit) return bytes[i];
        return (i & 1) ? bytes[i / 2] & 0x0F : bytes[i / 2] >> 4;
    };
    uint8_t count, code;
    while (y < height && in.U8(count) && in.U8(code)) {
        if (count > 0) { // a run of one index (RLE8) or of two alternating nibbles (RLE4)
            for (size_t i = 0; i < count && x + i < width; ++i)
                put(x + i, fourBit ? nibbleOrByte(&code, i & 1) : code);
            x += count;
        } else if (code == 0) { // end of line
            x = 0, ++y;
        } else if (code == 1) { // end of bitmap
            return;
        } else if (code == 2) { // delta: move right and up
            uint8_t dx, dy;
            if (!in.U8(dx) || !in.U8(dy)) return;
            x += dx, y += dy;
        } else { // absolute run of `code` pixels, padded to a 16-bit boundary
            size_t bytes = fourBit ? (code + 1) / 2 : code;
            size_t present = std::min(bytes, in.Remaining());
            size_t pixelsPresent = fourBit ? present * 2 : present;
            for (size_t i = 0; i < code && i < pixelsPresent && x + i < width; ++i)
                put(x + i, nibbleOrByte(in.Here(), i));
            x += code;
            if (present < bytes) return;
            in.Skip(std::min(bytes + (bytes & 1), in.Remaining()));
        }
    }
}

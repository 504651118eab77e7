#include "core/DibFormat.h"

#include "base/ByteReader.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kShortestInfoHeader = 16; // OS/2 2.x may stop after the bit count
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kMaskedHeaderSize = 52; // headers this long carry the masks themselves

bool IsKnownBitCount(int bitCount) {
    return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 ||
           bitCount == 32;
}

bool IsValidCompression(const DibFormat& format) {
    switch (format.compression) {
    case kBiRgb:
        return true;
    case kBiRle8:
        return format.bitCount == 8 && !format.topDown;
    case kBiRle4:
        return format.bitCount == 4 && !format.topDown;
    case kBiBitfields:
        return format.bitCount == 16 || format.bitCount == 32;
    default:
        return false;
    }
}

void SetDefaultMasks(DibFormat& format) {
    if (format.bitCount == 16) {
        format.masks[0] = 0x7C00, format.masks[1] = 0x03E0, format.masks[2] = 0x001F;
    } else {
        format.masks[0] = 0xFF0000, format.masks[1] = 0x00FF00, format.masks[2] = 0x0000FF;
    }
}

// Reads the three masks at an offset of the header block; false when they are not all there.
bool ReadMasks(const uint8_t* header, size_t size, size_t offset, DibFormat& format) {
    ByteReader reader(header, size);
    reader.Seek(offset);
    return reader.U32le(format.masks[0]) && reader.U32le(format.masks[1]) &&
           reader.U32le(format.masks[2]);
}

// Locates the colour table: after the header, and after the masks when a 40-byte header
// declares bit fields. Entries beyond the header block are not counted.
bool LocateColorTable(const uint8_t* header, size_t size, uint32_t headerSize, uint32_t clrUsed,
                      DibFormat& format) {
    size_t tableOffset = headerSize;
    if (format.compression == kBiBitfields) {
        size_t maskOffset = headerSize >= kMaskedHeaderSize ? kInfoHeaderSize : headerSize;
        if (!ReadMasks(header, size, maskOffset, format)) return false;
        if (headerSize < kMaskedHeaderSize) tableOffset += 12;
    } else if (format.bitCount > 8) {
        SetDefaultMasks(format);
    }
    size_t fullTable = format.IsIndexed() ? size_t{1} << format.bitCount : 256;
    size_t declared =
        clrUsed != 0 ? std::min<size_t>(clrUsed, fullTable) : (format.IsIndexed() ? fullTable : 0);
    size_t available = tableOffset <= size ? (size - tableOffset) / 4 : 0;
    format.colorTable = reinterpret_cast<const RgbQuad*>(header + std::min(tableOffset, size));
    format.colorCount = std::min(declared, available);
    format.headerEnd = std::min(size, tableOffset + 4 * declared);
    return true;
}

uint32_t ReadU32(const uint8_t* bytes) {
    uint32_t value;
    ByteReader(bytes, 4).U32le(value);
    return value;
}

} // namespace

bool ParseDibFormat(const uint8_t* header, size_t size, DibFormat& format) {
    format = DibFormat();
    if (size < kShortestInfoHeader) return false;
    uint32_t headerSize = ReadU32(header);
    if (headerSize < kShortestInfoHeader || headerSize > size) return false;

    // Fields a short header leaves out read as zero.
    uint8_t fields[kInfoHeaderSize] = {};
    std::memcpy(fields, header, std::min<size_t>(headerSize, kInfoHeaderSize));
    BitmapInfoHeader info;
    std::memcpy(&info, fields, sizeof info);
    if (info.biWidth <= 0 || info.biHeight == 0 || info.biHeight == INT32_MIN) return false;

    format.width = static_cast<size_t>(info.biWidth);
    format.topDown = info.biHeight < 0;
    format.height = static_cast<size_t>(format.topDown ? -int64_t{info.biHeight} : info.biHeight);
    format.planes = info.biPlanes;
    format.bitCount = info.biBitCount;
    format.compression = info.biCompression;
    if (format.planes != 1 || !IsKnownBitCount(format.bitCount) || !IsValidCompression(format))
        return false;
    return LocateColorTable(header, size, headerSize, info.biClrUsed, format);
}

bool ConvertCoreHeader(std::vector<uint8_t>& block) {
    if (block.size() < 4 || ReadU32(block.data()) != kCoreHeaderSize) return true;
    ByteReader reader(block.data(), block.size());
    uint16_t width, height, planes, bitCount;
    if (!reader.Skip(4) || !reader.U16le(width) || !reader.U16le(height) || !reader.U16le(planes) ||
        !reader.U16le(bitCount))
        return false;
    size_t entries;
    switch (bitCount) {
    case 1:
        entries = 2;
        break;
    case 4:
        entries = 16;
        break;
    case 8:
        entries = 256;
        break;
    case 24:
        entries = 0;
        break;
    default:
        return false;
    }
    size_t present = std::min(entries, reader.Remaining() / 3);

    std::vector<uint8_t> converted(kInfoHeaderSize + 4 * present);
    BitmapInfoHeader info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = planes;
    info.biBitCount = bitCount;
    info.biClrUsed = static_cast<uint32_t>(entries);
    std::memcpy(converted.data(), &info, sizeof info);
    for (size_t i = 0; i < present; ++i) {
        uint8_t* entry = converted.data() + kInfoHeaderSize + 4 * i;
        reader.Bytes(entry, 3); // blue, green, red; the fourth byte stays 0
    }
    block.swap(converted);
    return true;
}

size_t DibHeaderBlockEnd(const uint8_t* block, size_t size) {
    if (size >= kCoreHeaderSize && ReadU32(block) == kCoreHeaderSize) {
        uint16_t bitCount = static_cast<uint16_t>(block[10] | block[11] << 8);
        size_t entries = bitCount <= 8 ? size_t{1} << bitCount : 0;
        return std::min(size, kCoreHeaderSize + 3 * entries);
    }
    DibFormat format;
    return ParseDibFormat(block, size, format) ? format.headerEnd : size;
}

#pragma once
// One entry of a TIFF image file directory (IFD): tag, field type, value count and the value
// bytes, which stay in the byte order of the structure they were read from.
//
// The value is either a view into a block the caller keeps alive (an Exif block in memory) or
// a copy the entry owns (read from a file). Either way at least ValueSize() bytes are readable
// at Value(): the declared count × element size, or the 4-byte value field itself when the
// value fits there.
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

// TIFF field types.
enum : uint16_t {
    kTiffByte = 1,
    kTiffAscii = 2,
    kTiffShort = 3,
    kTiffLong = 4,
    kTiffRational = 5,
    kTiffSByte = 6,
    kTiffUndefined = 7,
    kTiffSShort = 8,
    kTiffSLong = 9,
    kTiffSRational = 10,
    kTiffFloat = 11,
    kTiffDouble = 12,
};

// Bytes of one value of a field type; 0 for an unknown type.
inline size_t TiffTypeSize(uint16_t type) {
    static constexpr uint8_t kSizes[] = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8};
    return type < sizeof(kSizes) ? kSizes[type] : 0;
}

class CIfdEntry {
public:
    // An entry viewing `size` bytes at `value`, which must outlive it.
    static CIfdEntry View(uint16_t tag, uint16_t type, uint32_t count, const uint8_t* value,
                          size_t size) {
        return CIfdEntry(tag, type, count, value, size, {});
    }
    // An entry owning its value bytes.
    static CIfdEntry Own(uint16_t tag, uint16_t type, uint32_t count, std::vector<uint8_t> bytes) {
        const size_t size = bytes.size();
        return CIfdEntry(tag, type, count, nullptr, size, std::move(bytes));
    }

    uint16_t Tag() const { return tag_; }
    uint16_t Type() const { return type_; }
    uint32_t Count() const { return count_; }
    const uint8_t* Value() const { return owned_.empty() ? view_ : owned_.data(); }
    size_t ValueSize() const { return size_; }

private:
    CIfdEntry(uint16_t tag, uint16_t type, uint32_t count, const uint8_t* view, size_t size,
              std::vector<uint8_t> owned)
        : tag_(tag), type_(type), count_(count), view_(view), size_(size),
          owned_(std::move(owned)) {}

    uint16_t tag_;
    uint16_t type_;
    uint32_t count_;
    const uint8_t* view_;
    size_t size_;
    std::vector<uint8_t> owned_;
};

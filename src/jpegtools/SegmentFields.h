#pragma once
// Checked reading of the fixed-layout fields of one segment or chunk: a field is read only when
// all its bytes lie before the end given (the segment's declared end, or a chunk's data end), so
// a short segment shows the fields it holds and nothing read past them.
#include "base/ByteReader.h"

#include <cstddef>
#include <cstdint>

class SegmentFields {
public:
    SegmentFields(const uint8_t* bytes, size_t end) : bytes_(bytes), end_(end) {}

    size_t End() const { return end_; }
    const uint8_t* At(size_t offset) const { return bytes_ + offset; }
    bool Has(size_t offset, size_t count) const { return offset <= end_ && count <= end_ - offset; }
    // Big-endian fields at an offset; false when they do not lie wholly before the end.
    bool U8(size_t offset, unsigned& value) const { return Read<uint8_t>(offset, value); }
    bool U16(size_t offset, unsigned& value) const { return Read<uint16_t>(offset, value); }
    bool U32(size_t offset, uint32_t& value) const { return Read<uint32_t>(offset, value); }

private:
    template <typename T, typename Out> bool Read(size_t offset, Out& value) const {
        ByteReader reader(bytes_, end_);
        T field = 0;
        bool read = false;
        if constexpr (sizeof(T) == 1)
            read = reader.Seek(offset) && reader.U8(field);
        else if constexpr (sizeof(T) == 2)
            read = reader.Seek(offset) && reader.U16be(field);
        else
            read = reader.Seek(offset) && reader.U32be(field);
        if (read) value = field;
        return read;
    }

    const uint8_t* bytes_;
    size_t end_;
};

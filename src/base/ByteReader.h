#pragma once
// Checked reading of binary data: every read tests the bytes left first and fails (returns
// false and sets the failed flag) instead of running past the end. Every parser reads through
// this class.
#include <cstddef>
#include <cstdint>
#include <cstring>

class ByteReader {
public:
    ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    ByteReader(const char* data, size_t size)
        : data_(reinterpret_cast<const uint8_t*>(data)), size_(size) {}

    size_t Size() const { return size_; }
    size_t Position() const { return position_; }
    size_t Remaining() const { return size_ - position_; }
    bool Failed() const { return failed_; }
    const uint8_t* Data() const { return data_; }
    const uint8_t* Here() const { return data_ + position_; }

    bool Seek(size_t position) { return Check(position <= size_) && (position_ = position, true); }
    bool Skip(size_t count) { return Check(count <= Remaining()) && (position_ += count, true); }

    bool U8(uint8_t& value) { return Take(1) && (value = data_[position_ - 1], true); }
    bool U16be(uint16_t& value) { return Read(value, true); }
    bool U16le(uint16_t& value) { return Read(value, false); }
    bool U32be(uint32_t& value) { return Read(value, true); }
    bool U32le(uint32_t& value) { return Read(value, false); }
    bool U16(uint16_t& value, bool bigEndian) { return Read(value, bigEndian); }
    bool U32(uint32_t& value, bool bigEndian) { return Read(value, bigEndian); }
    bool Bytes(void* out, size_t count) {
        if (!Take(count)) return false;
        if (count) std::memcpy(out, data_ + position_ - count, count);
        return true;
    }

private:
    bool Check(bool ok) {
        if (!ok) failed_ = true;
        return ok;
    }
    bool Take(size_t count) { return Check(count <= Remaining()) && (position_ += count, true); }
    template <typename T> bool Read(T& value, bool bigEndian) {
        if (!Take(sizeof(T))) return false;
        const uint8_t* p = data_ + position_ - sizeof(T);
        T result = 0;
        for (size_t i = 0; i < sizeof(T); ++i)
            result |= static_cast<T>(T{p[bigEndian ? i : sizeof(T) - 1 - i]}
                                     << (8 * (sizeof(T) - 1 - i)));
        value = result;
        return true;
    }

    const uint8_t* data_;
    size_t size_;
    size_t position_ = 0;
    bool failed_ = false;
};

// Multiplies two sizes; false when the product does not fit in size_t.
inline bool CheckedMultiply(size_t a, size_t b, size_t& product) {
    return !__builtin_mul_overflow(a, b, &product);
}
inline bool CheckedAdd(size_t a, size_t b, size_t& sum) {
    return !__builtin_add_overflow(a, b, &sum);
}

#pragma once
// Draws typed values from a fuzz input, front to back; an exhausted input gives zeros (clamped
// into the range asked for).
#include <algorithm>
#include <cstddef>
#include <cstdint>

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    // A value in [low, high].
    int Int(int low, int high) {
        uint32_t raw = 0;
        for (int i = 0; i < 4; ++i)
            raw = raw << 8 | Byte();
        const uint64_t span = uint64_t(int64_t{high} - low) + 1;
        return static_cast<int>(low + int64_t(raw % span));
    }

    bool Bool() { return Byte() & 1; }

private:
    uint8_t Byte() { return position_ < size_ ? data_[position_++] : 0; }

    const uint8_t* data_;
    size_t size_;
    size_t position_ = 0;
};

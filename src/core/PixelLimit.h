#pragma once
// How many pixels a reader may allocate for a file: header fields are not trusted to size a
// buffer beyond what the file's own length makes plausible, above a floor that every ordinary
// picture fits in.
#include <algorithm>
#include <cstddef>
#include <cstdint>

constexpr size_t kPixelFloor = size_t{64} << 20;

// The limit for a file of `fileSize` bytes whose every byte can describe at most
// `pixelsPerByte` pixels.
inline size_t PixelLimitForFile(uint64_t fileSize, size_t pixelsPerByte) {
    uint64_t plausible =
        fileSize > UINT64_MAX / pixelsPerByte ? UINT64_MAX : fileSize * pixelsPerByte;
    return static_cast<size_t>(
        std::max<uint64_t>(kPixelFloor, std::min<uint64_t>(plausible, SIZE_MAX)));
}

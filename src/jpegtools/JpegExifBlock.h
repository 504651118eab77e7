#pragma once
// Locates the Exif block of a JPEG file held in memory, walking its marker segments up to the
// first scan.
#include <cstddef>
#include <cstdint>
#include <optional>

struct ByteRange {
    size_t offset = 0;
    size_t size = 0;
};

// The bytes after "Exif\0\0" in the last APP1 segment that starts so before the first SOS (as
// the JPEG reader keeps the last one). Nullopt when there is none, when the data is no JPEG, or
// when that segment is cut off by the end of the data.
std::optional<ByteRange> FindJpegExifBlock(const uint8_t* data, size_t size);

#pragma once
// Exif blocks of test JPEG files, and JPEG files made around a block.
#include "jpegtools/JpegExifBlock.h"
#include "support/TempDir.h"

#include <cstdint>
#include <string>
#include <vector>

inline std::string ExifDataPath(const std::string& name) {
    return std::string(TEST_DATA_DIR) + "/exif/" + name;
}

// The Exif block of a file in tests/data/exif; empty when it has none.
inline std::vector<uint8_t> ExifBlockOf(const std::string& name) {
    const std::string bytes = TempDir::Read(ExifDataPath(name));
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
    std::optional<ByteRange> range = FindJpegExifBlock(data, bytes.size());
    if (!range) return {};
    return std::vector<uint8_t>(data + range->offset, data + range->offset + range->size);
}

// An APP1 Exif segment holding the block.
inline std::string ExifSegment(const std::vector<uint8_t>& block) {
    const size_t length = block.size() + 8;
    std::string segment = {'\xFF', '\xE1', char(length >> 8), char(length & 0xFF)};
    segment.append("Exif\0\0", 6);
    segment.append(block.begin(), block.end());
    return segment;
}

// SOI, the given segments, then a token scan and EOI: enough for marker walks.
inline std::string JpegAround(const std::string& segments) {
    return std::string("\xFF\xD8", 2) + segments +
           std::string("\xFF\xDA\x00\x02\x12\x34\xFF\xD9", 8);
}

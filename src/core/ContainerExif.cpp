#include "core/ContainerExif.h"

#include <algorithm>

namespace {

constexpr uint8_t kExifIdentifier[] = {'E', 'x', 'i', 'f', 0, 0};

bool StartsWithTiffHeader(std::span<const uint8_t> bytes) {
    return bytes.size() >= 8 && ((bytes[0] == 'I' && bytes[1] == 'I' && bytes[2] == 42) ||
                                 (bytes[0] == 'M' && bytes[1] == 'M' && bytes[3] == 42));
}

} // namespace

std::span<const uint8_t> TiffOfChunk(std::span<const uint8_t> bytes) {
    if (bytes.size() >= sizeof kExifIdentifier &&
        std::equal(std::begin(kExifIdentifier), std::end(kExifIdentifier), bytes.begin()))
        bytes = bytes.subspan(sizeof kExifIdentifier);
    return StartsWithTiffHeader(bytes) ? bytes : std::span<const uint8_t>();
}

std::span<const uint8_t> TiffOfOffsetPayload(std::span<const uint8_t> bytes) {
    if (bytes.size() < 4) return {};
    const uint32_t offset =
        uint32_t{bytes[0]} << 24 | uint32_t{bytes[1]} << 16 | uint32_t{bytes[2]} << 8 | bytes[3];
    if (offset > bytes.size() - 4) return {};
    return TiffOfChunk(bytes.subspan(4 + offset));
}

ExifData ExifOfTiff(std::span<const uint8_t> tiff) {
    if (tiff.empty()) return {};
    return ExifData::ParseBlock(std::vector<uint8_t>(tiff.begin(), tiff.end()));
}

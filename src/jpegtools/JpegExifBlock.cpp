#include "jpegtools/JpegExifBlock.h"

#include "base/ByteReader.h"

#include <cstring>

namespace {

constexpr uint8_t kMarkerPrefix = 0xFF;
constexpr uint16_t kStartOfImage = 0xFFD8;
constexpr uint8_t kApp1 = 0xE1;
constexpr uint8_t kStartOfScan = 0xDA;
constexpr uint8_t kEndOfImage = 0xD9;
constexpr char kExifSignature[] = "Exif\0"; // with its terminator: "Exif" and two zero bytes
constexpr size_t kExifSignatureSize = sizeof(kExifSignature);

// Markers that stand alone, without a length field: TEM and RST0-RST7.
bool StandsAlone(uint8_t marker) {
    return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
}

bool StartsExif(const ByteReader& reader, size_t body) {
    return body > kExifSignatureSize && reader.Remaining() >= kExifSignatureSize &&
           std::memcmp(reader.Here(), kExifSignature, kExifSignatureSize) == 0;
}

// Reads the next marker code, skipping fill bytes; false when no marker is there.
bool NextMarker(ByteReader& reader, uint8_t& marker) {
    uint8_t prefix = 0;
    if (!reader.U8(prefix) || prefix != kMarkerPrefix) return false;
    do {
        if (!reader.U8(marker)) return false;
    } while (marker == kMarkerPrefix);
    return true;
}

} // namespace

std::optional<ByteRange> FindJpegExifBlock(const uint8_t* data, size_t size) {
    ByteReader reader(data, size);
    uint16_t start = 0;
    if (!reader.U16be(start) || start != kStartOfImage) return std::nullopt;

    std::optional<ByteRange> found;
    uint8_t marker = 0;
    while (NextMarker(reader, marker) && marker != kStartOfScan && marker != kEndOfImage) {
        if (StandsAlone(marker)) continue;
        uint16_t length = 0;
        if (!reader.U16be(length) || length < 2) break;
        const size_t body = length - 2u;
        const bool exif = marker == kApp1 && StartsExif(reader, body);
        if (body > reader.Remaining()) {
            if (exif) found.reset(); // a cut-off Exif segment leaves no Exif data
            break;
        }
        if (exif)
            found = ByteRange{reader.Position() + kExifSignatureSize, body - kExifSignatureSize};
        reader.Skip(body);
    }
    return found;
}

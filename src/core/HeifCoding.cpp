#include "core/HeifCoding.h"

#include <cstring>
#include <optional>

namespace {

uint64_t BigEndian(std::span<const uint8_t> bytes, size_t count) {
    uint64_t value = 0;
    for (size_t i = 0; i < count; ++i)
        value = value << 8 | bytes[i];
    return value;
}

// Takes the next box off the front of `bytes`: its type and body; nothing at the end or when
// its size does not fit.
std::optional<std::span<const uint8_t>> NextBox(std::span<const uint8_t>& bytes, char type[4]) {
    if (bytes.size() < 8) return std::nullopt;
    uint64_t size = BigEndian(bytes, 4);
    size_t header = 8;
    if (size == 1 && bytes.size() >= 16) {
        size = BigEndian(bytes.subspan(8), 8);
        header = 16;
    } else if (size == 0) {
        size = bytes.size();
    }
    if (size < header || size > bytes.size()) return std::nullopt;
    std::memcpy(type, bytes.data() + 4, 4);
    std::span<const uint8_t> body = bytes.subspan(header, size - header);
    bytes = bytes.subspan(size);
    return body;
}

// The body of the first box of the given type among the boxes that fill `bytes`.
std::optional<std::span<const uint8_t>> FindBox(std::span<const uint8_t> bytes, const char* type) {
    char found[4];
    while (std::optional<std::span<const uint8_t>> body = NextBox(bytes, found))
        if (std::memcmp(found, type, 4) == 0) return body;
    return std::nullopt;
}

const char* ChromaName(bool monochrome, bool halfWidth, bool halfHeight) {
    if (monochrome) return "4:0:0";
    if (halfWidth) return halfHeight ? "4:2:0" : "4:2:2";
    return "4:4:4";
}

// HEVC configuration: chroma_format_idc in the low two bits of byte 16.
HeifCoding HevcCoding(std::span<const uint8_t> body) {
    if (body.size() < 17) return {"HEVC", ""};
    static const char* const kNames[] = {"4:0:0", "4:2:0", "4:2:2", "4:4:4"};
    return {"HEVC", kNames[body[16] & 3]};
}

// AV1 configuration: monochrome and the two subsampling flags in byte 2.
HeifCoding Av1Coding(std::span<const uint8_t> body) {
    if (body.size() < 3) return {"AV1", ""};
    const uint8_t flags = body[2];
    return {"AV1", ChromaName(flags & 0x10, flags & 0x08, flags & 0x04)};
}

} // namespace

HeifCoding ReadHeifCoding(std::span<const uint8_t> file) {
    std::optional<std::span<const uint8_t>> meta = FindBox(file, "meta");
    if (!meta || meta->size() < 4) return {}; // a full box: version and flags first
    std::optional<std::span<const uint8_t>> properties = FindBox(meta->subspan(4), "iprp");
    std::optional<std::span<const uint8_t>> container;
    if (properties) container = FindBox(*properties, "ipco");
    if (!container) return {};
    char type[4];
    while (std::optional<std::span<const uint8_t>> body = NextBox(*container, type)) {
        if (std::memcmp(type, "hvcC", 4) == 0) return HevcCoding(*body);
        if (std::memcmp(type, "av1C", 4) == 0) return Av1Coding(*body);
    }
    return {};
}

#include "jpegtools/MarkerSegment.h"

#include <algorithm>

namespace {
constexpr size_t kInlineCapacity = 8;
} // namespace

CMarkerSegment::CMarkerSegment(size_t count, const uint8_t* source) : length(count), bytes_(count) {
    if (count <= kInlineCapacity) flags |= SEG_INLINE;
    if (source && count) std::copy(source, source + count, bytes_.begin());
}

std::unique_ptr<CMarkerSegment> CMarkerSegment::MakeMarker(uint8_t code, const uint8_t* payload,
                                                           size_t size) {
    if (size > kMaxPayload) return nullptr;
    auto segment = std::make_unique<CMarkerSegment>(size + 4);
    uint8_t* bytes = segment->Bytes();
    bytes[0] = 0xFF;
    bytes[1] = code;
    bytes[2] = static_cast<uint8_t>((size + 2) >> 8);
    bytes[3] = static_cast<uint8_t>(size + 2);
    if (size) std::copy(payload, payload + size, bytes + 4);
    return segment;
}

int CMarkerSegment::Code() const {
    if (bytes_.size() < 2 || bytes_[0] != 0xFF) return -1;
    return bytes_[1];
}

int CMarkerSegment::LengthField() const {
    if (bytes_.size() < 4) return -1;
    return bytes_[2] << 8 | bytes_[3];
}

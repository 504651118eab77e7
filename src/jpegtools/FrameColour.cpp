#include "jpegtools/FrameColour.h"

#include <cstring>

namespace {

enum : int { kApp0 = 0xE0, kApp14 = 0xEE, kSos = 0xDA, kDht = 0xC4, kJpg = 0xC8, kDac = 0xCC };
constexpr size_t kAdobeTransformAt = 15; // after "Adobe", version, flags0, flags1
constexpr size_t kJfifMinimum = 18 - 4;  // libjpeg reads a JFIF header of 14 payload bytes
constexpr size_t kFirstComponentAt = 10;
constexpr size_t kComponentSize = 3;

struct ColourMarkers {
    int components = 0;
    uint8_t ids[3] = {};
    bool jfif = false;
    int adobeTransform = -1; // none seen
};

void ReadFrameHeader(const CMarkerSegment& sof, ColourMarkers& markers) {
    if (sof.ByteCount() < kFirstComponentAt) return;
    markers.components = sof.Bytes()[9];
    for (int i = 0; i < 3 && i < markers.components; ++i) {
        const size_t at = kFirstComponentAt + kComponentSize * i;
        if (at < sof.ByteCount()) markers.ids[i] = sof.Bytes()[at];
    }
}

ColourMarkers CollectMarkers(const SegmentList& list) {
    ColourMarkers markers;
    for (const auto& segment : list) {
        const int code = segment->Code();
        if (code == kSos) break;
        if (code < 0 || segment->IsDeleted()) continue;
        const size_t size = segment->ByteCount();
        if (code == kApp0 && size >= 4 + kJfifMinimum &&
            std::memcmp(segment->Bytes() + 4, "JFIF", 5) == 0)
            markers.jfif = true;
        else if (code == kApp14 && IsAdobeSegment(*segment))
            markers.adobeTransform = segment->Bytes()[kAdobeTransformAt];
        else if (IsFrameHeader(code))
            ReadFrameHeader(*segment, markers);
    }
    return markers;
}

FrameColour ThreeComponentColour(const ColourMarkers& markers) {
    if (markers.jfif) return FrameColour::YCbCr;
    if (markers.adobeTransform >= 0)
        return markers.adobeTransform == 0 ? FrameColour::Rgb : FrameColour::YCbCr;
    const uint8_t* ids = markers.ids;
    if (ids[0] == 'R' && ids[1] == 'G' && ids[2] == 'B') return FrameColour::Rgb;
    return FrameColour::YCbCr;
}

} // namespace

bool IsFrameHeader(int code) {
    return code >= 0xC0 && code <= 0xCF && code != kDht && code != kJpg && code != kDac;
}

bool IsAdobeSegment(const CMarkerSegment& segment) {
    return segment.Code() == kApp14 && segment.ByteCount() > kAdobeTransformAt &&
           std::memcmp(segment.Bytes() + 4, "Adobe", 5) == 0;
}

FrameColour DecodedColour(const SegmentList& list, bool addJfif) {
    ColourMarkers markers = CollectMarkers(list);
    markers.jfif = markers.jfif || addJfif;
    switch (markers.components) {
    case 1:
        return FrameColour::Grey;
    case 3:
        return ThreeComponentColour(markers);
    case 4:
        return markers.adobeTransform > 0 ? FrameColour::Ycck : FrameColour::Cmyk;
    default:
        return FrameColour::Unknown;
    }
}

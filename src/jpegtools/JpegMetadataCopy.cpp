#include "jpegtools/JpegMetadataCopy.h"

#include "jpegtools/SegmentList.h"
#include "jpegtools/SegmentReader.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kApp0 = 0xE0, kApp1 = 0xE1, kApp2 = 0xE2;
constexpr size_t kMaxPayload = 65533; // a segment's length field counts itself
constexpr size_t kIccHeader = 14;     // "ICC_PROFILE\0", chunk number, chunk count

// Whether a marker segment's payload starts with the identifier (NUL included).
bool PayloadStartsWith(const CMarkerSegment& segment, const char* identifier, size_t length) {
    return segment.ByteCount() >= 4 + length &&
           std::memcmp(segment.Bytes() + 4, identifier, length) == 0;
}

bool IsKeptMetadata(const CMarkerSegment& segment) {
    if (segment.Has(SEG_DATA) || segment.IsDeleted()) return false;
    const int code = segment.Code();
    return (code == kApp1 && PayloadStartsWith(segment, "Exif\0\0", 6)) ||
           (code == kApp2 && PayloadStartsWith(segment, "ICC_PROFILE\0", 12));
}

// Marker, length field and payload.
std::string Segment(int code, const std::string& payload) {
    const size_t length = payload.size() + 2;
    return std::string{'\xFF', static_cast<char>(code), static_cast<char>(length >> 8),
                       static_cast<char>(length & 0xFF)} +
           payload;
}

} // namespace

std::vector<std::string> ReadJpegMetadata(const std::string& source) {
    std::vector<std::string> segments;
    CSegmentReader reader;
    if (!reader.Open(source)) return segments;
    SegmentList list;
    reader.ParseJpeg(list);
    for (const auto& segment : list)
        if (IsKeptMetadata(*segment))
            segments.emplace_back(reinterpret_cast<const char*>(segment->Bytes()),
                                  segment->ByteCount());
    return segments;
}

bool InsertJpegMetadata(const std::string& target, const std::vector<std::string>& segments) {
    if (segments.empty()) return true;
    CSegmentReader reader;
    if (!reader.Open(target)) return false;
    SegmentList list;
    reader.ParseJpeg(list);
    reader.Close();
    if (list.empty() || list.front()->Code() != 0xD8) return false; // no SOI
    auto position = list.begin();
    if (std::next(position) != list.end() && (*std::next(position))->Code() == kApp0) ++position;
    for (const std::string& bytes : segments)
        position =
            InsertSegmentAfter(list, position,
                               std::make_unique<CMarkerSegment>(
                                   bytes.size(), reinterpret_cast<const uint8_t*>(bytes.data())));
    return reader.WriteSegments(target, target, list) == 1;
}

std::vector<std::string> MetadataSegments(std::span<const uint8_t> exifTiff,
                                          std::span<const uint8_t> icc) {
    std::vector<std::string> segments;
    if (!exifTiff.empty() && exifTiff.size() + 6 <= kMaxPayload)
        segments.push_back(Segment(kApp1, std::string("Exif\0\0", 6) +
                                              std::string(exifTiff.begin(), exifTiff.end())));
    const size_t chunk = kMaxPayload - kIccHeader;
    const size_t chunks = (icc.size() + chunk - 1) / chunk;
    if (chunks > 255) return segments;
    for (size_t i = 0; i < chunks; ++i) {
        std::span<const uint8_t> part =
            icc.subspan(i * chunk, std::min(chunk, icc.size() - i * chunk));
        segments.push_back(Segment(kApp2, std::string("ICC_PROFILE\0", 12) +
                                              static_cast<char>(i + 1) + static_cast<char>(chunks) +
                                              std::string(part.begin(), part.end())));
    }
    return segments;
}

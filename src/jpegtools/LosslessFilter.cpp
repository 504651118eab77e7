#include "jpegtools/LosslessFilter.h"

#include "base/TempFile.h"
#include "jpegtools/ExifToJfif.h"
#include "jpegtools/FrameColour.h"
#include "jpegtools/ReplaceFileViaTemp.h"
#include "settings/SettingsStore.h"

#include <cstring>
#include <filesystem>
#include <vector>

namespace {

enum : uint8_t {
    kDht = 0xC4,
    kSos = 0xDA,
    kDqt = 0xDB,
    kApp0 = 0xE0,
    kCom = 0xFE,
};
constexpr size_t kJfifApp0Size = 18; // a JFIF APP0 without thumbnail
constexpr size_t kShortestApp0 = 8;  // room for an identifier
constexpr size_t kHeaderSize = 4;    // 0xFF, code, length field

void MarkDeleted(CMarkerSegment& segment) {
    segment.flags |= SEG_DELETED;
}

bool HasIdentifier(const CMarkerSegment& segment, const char* identifier) {
    return std::memcmp(segment.Bytes() + 4, identifier, 4) == 0;
}

// Height and width from the first frame header, of whatever frame type.
void TakeImageSize(FilterFileContext& context) {
    for (const auto& segment : context.list) {
        if (!IsFrameHeader(segment->Code())) continue;
        if (segment->ByteCount() < 9) return;
        const uint8_t* bytes = segment->Bytes();
        context.height = bytes[5] << 8 | bytes[6];
        context.width = bytes[7] << 8 | bytes[8];
        return;
    }
}

// The JFIF header of `old` with a 0 x 0 thumbnail.
std::unique_ptr<CMarkerSegment> JfifWithoutThumbnail(const CMarkerSegment& old) {
    auto app0 = std::make_unique<CMarkerSegment>(kJfifApp0Size);
    uint8_t* bytes = app0->Bytes();
    const uint8_t head[] = {0xFF, kApp0, 0x00, kJfifApp0Size - 2};
    std::memcpy(bytes, head, sizeof head);
    std::memcpy(bytes + 4, old.Bytes() + 4, 12); // "JFIF\0", version, units, densities
    return app0;
}

// Records followed by bytes that are no marker (in a damaged file) are left as they stand.
void FilterApp0Segments(SegmentList& list, const BulkFltOptions& options) {
    for (auto it = list.begin(); it != list.end(); ++it) {
        CMarkerSegment& segment = **it;
        if (segment.Code() != kApp0 || segment.ByteCount() < kShortestApp0) continue;
        if (IsFollowedByData(list, it)) continue;
        if (HasIdentifier(segment, "JFIF")) {
            if (options.removeThumb && segment.ByteCount() > kJfifApp0Size)
                it = ReplaceSegment(list, it, JfifWithoutThumbnail(segment));
        } else if (HasIdentifier(segment, "JFXX")) {
            if (options.removeJfxx) MarkDeleted(segment);
        }
    }
}

// Marks every record of the code deleted, but for one followed by bytes that are no marker.
void DeleteAll(SegmentList& list, uint8_t code) {
    for (auto it = FindSegment(list, list.begin(), code); it != list.end();
         it = FindSegment(list, std::next(it), code))
        if (!IsFollowedByData(list, it)) MarkDeleted(**it);
}

// An Adobe APP14 segment whose transform flag decides the colours the image decodes to stays.
void RemoveAppSegments(SegmentList& list, const BulkFltOptions& options) {
    const FrameColour colour = DecodedColour(list);
    for (int n = 1; n <= kAppCodeCount; ++n)
        if (options.removeApp[n - 1]) DeleteAll(list, static_cast<uint8_t>(kApp0 + n));
    if (DecodedColour(list) == colour) return;
    for (const auto& segment : list)
        if (IsAdobeSegment(*segment)) segment->flags &= ~SEG_DELETED;
}

// Joins the table segments of one group into a single segment at the place of the first.
// A group whose tables would not fit one segment's length field, or one with a table followed
// by bytes that are no marker, is left as it is.
void UniteGroup(SegmentList& list, const std::vector<SegmentList::iterator>& group, uint8_t code) {
    if (group.size() < 2) return;
    for (const auto& it : group)
        if (IsFollowedByData(list, it)) return;
    size_t payloadSize = 0;
    for (const auto& it : group)
        payloadSize += (*it)->ByteCount() - kHeaderSize;
    if (payloadSize > CMarkerSegment::kMaxPayload) return;
    std::vector<uint8_t> payload;
    payload.reserve(payloadSize);
    for (const auto& it : group)
        payload.insert(payload.end(), (*it)->Bytes() + kHeaderSize,
                       (*it)->Bytes() + (*it)->ByteCount());
    InsertSegmentAfter(list, group.front(),
                       CMarkerSegment::MakeMarker(code, payload.data(), payload.size()));
    for (const auto& it : group)
        MarkDeleted(**it);
}

// Joins the table segments that stand between two scans (or before the first), group by
// group, so that tables meant for different scans never mix.
void UniteTables(SegmentList& list, uint8_t code) {
    auto window = list.begin();
    while (window != list.end()) {
        std::vector<SegmentList::iterator> group;
        auto it = window;
        for (; it != list.end() && (*it)->Code() != kSos; ++it)
            if ((*it)->Code() == code && !(*it)->IsDeleted()) group.push_back(it);
        UniteGroup(list, group, code);
        if (it == list.end()) break;
        window = std::next(it);
    }
}

CommentWriteCharset CommentCharset(const SettingsStore& settings) {
    return {settings.autoWriteCharset, settings.writeCharset};
}

void EditSegments(FilterFileContext& context, const BulkFltOptions& options) {
    SegmentList& list = context.list;
    FilterApp0Segments(list, options);
    if (options.removeCom) DeleteAll(list, kCom);
    if (options.removeAppX) RemoveAppSegments(list, options);
    if (options.convertExif) ConvertExifToJfif(list, options, CommentCharset(context.settings));
    if (options.uniteDqt) UniteTables(list, kDqt);
    if (options.uniteDht) UniteTables(list, kDht);
}

// File names are case-sensitive here, so the same file is the same directory entry, reached
// by whatever path.
bool IsSameFile(const std::string& source, const std::string& destination) {
    std::error_code error;
    return source == destination || std::filesystem::equivalent(source, destination, error);
}

// Rewrites the source in place: the list is written to a temporary file first, since the
// source is read while writing, and then replaces the source. A temporary file whose
// replacement failed is left for the user (ReplaceFileViaTemp has reported it).
bool WriteInPlace(FilterFileContext& context) {
    std::string temporary;
    if (!CreateTempFile(TempDirectory(context.settings), "tlmn", ".jpg", temporary)) return false;
    if (!context.reader.WriteSegments(context.sourcePath, temporary, context.list)) {
        std::remove(temporary.c_str());
        return false;
    }
    if (!ReplaceFileViaTemp(temporary, context.destinationPath)) return false;
    std::remove(temporary.c_str());
    return true;
}

bool WriteFiltered(FilterFileContext& context) {
    if (IsSameFile(context.sourcePath, context.destinationPath)) return WriteInPlace(context);
    return context.reader.WriteSegments(context.sourcePath, context.destinationPath,
                                        context.list) != 0;
}

bool MeasureWritten(FilterFileContext& context) {
    if (!context.reader.Open(context.destinationPath)) return false;
    context.writtenSize = context.reader.GetLength();
    context.reader.Close();
    return true;
}

} // namespace

int ApplyFilters(FilterFileContext& context, const BulkFltOptions& options) {
    TakeImageSize(context);
    EditSegments(context, options);
    return WriteFiltered(context) && MeasureWritten(context) ? 1 : 0;
}

#include "jpegtools/ExifToJfif.h"

#include "jpegtools/Charset.h"
#include "jpegtools/CommentCut.h"
#include "jpegtools/ExifReader.h"
#include "jpegtools/ExifSummary.h"
#include "jpegtools/FrameColour.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr uint8_t kApp0 = 0xE0, kApp1 = 0xE1, kCom = 0xFE;
constexpr uint16_t kTagXResolution = 282, kTagYResolution = 283;
constexpr char kExifHeader[] = "Exif\0"; // with the terminator: "Exif" and two zero bytes
constexpr size_t kExifHeaderSize = sizeof kExifHeader;
constexpr size_t kTiffStart = 4 + kExifHeaderSize;
constexpr size_t kXDensityAt = 12, kYDensityAt = 14;
constexpr const char* kLineEnd = "\r\n";

// JFIF 1.01, dots per inch, 72 x 72, no thumbnail.
constexpr uint8_t kJfifApp0[] = {0xFF, 0xE0, 0x00, 0x10, 'J',  'F',  'I',  'F',  0x00,
                                 0x01, 0x01, 0x01, 0x00, 0x48, 0x00, 0x48, 0x00, 0x00};

// Writes a resolution tag's value, cut to an integer, as a density; the default stays when the
// tag is absent. Values beyond the 16-bit field are held at its limit.
void PutDensity(const CExifReader& exif, uint16_t tag, uint8_t* field) {
    const CIfdEntry* entry = exif.FindTag(tag);
    if (!entry) return;
    const double value = std::clamp(std::trunc(exif.GetRational(*entry)), 0.0, 65535.0);
    const auto density = static_cast<uint16_t>(value);
    field[0] = static_cast<uint8_t>(density >> 8);
    field[1] = static_cast<uint8_t>(density);
}

bool IsJfifHeader(const CMarkerSegment& app0) {
    return !app0.IsDeleted() && app0.ByteCount() >= 9 &&
           std::memcmp(app0.Bytes() + 4, "JFIF", 5) == 0;
}

// A JFIF header followed by bytes that are no marker (a damaged file) cannot go: fill bytes
// before it would make a marker of those bytes.
bool HasJfifHeaderBeforeData(SegmentList& list) {
    for (auto it = FindSegment(list, list.begin(), kApp0); it != list.end();
         it = FindSegment(list, std::next(it), kApp0))
        if (IsJfifHeader(**it) && IsFollowedByData(list, it)) return true;
    return false;
}

// A file has one JFIF header: those already in the list give way to the new one.
void DeleteJfifHeaders(SegmentList& list) {
    for (auto it = FindSegment(list, list.begin(), kApp0); it != list.end();
         it = FindSegment(list, it, kApp0))
        it = IsJfifHeader(**it) ? DeleteSegment(list, it) : std::next(it);
}

std::unique_ptr<CMarkerSegment> MakeJfifApp0(const CExifReader& exif) {
    auto app0 = std::make_unique<CMarkerSegment>(sizeof kJfifApp0, kJfifApp0);
    PutDensity(exif, kTagXResolution, app0->Bytes() + kXDensityAt);
    PutDensity(exif, kTagYResolution, app0->Bytes() + kYDensityAt);
    return app0;
}

// Text ends at its first zero unit (two bytes in UCS-2): comments are often padded with zeros.
// Spaces that stood before the padding go as well.
void CutAtZero(std::string& text, int code) {
    if (code == kCharsetUcs2) {
        for (size_t i = 0; i + 1 < text.size(); i += 2)
            if (text[i] == '\0' && text[i + 1] == '\0') text.resize(i);
        return;
    }
    text.resize(std::min(text.size(), text.find('\0')));
    text.resize(std::min(text.size(), text.find_last_not_of(' ') + 1));
}

// The user comment in the code it is written in: converted to writeCharset when `charset`
// fixes one, else kept in its own code (UCS-2, never written, becomes Shift_JIS).
std::string UserCommentText(const CExifReader& exif, const CommentWriteCharset& charset,
                            int& code) {
    const CIfdEntry* entry = exif.FindTag(kTagUserComment);
    if (!entry) return {};
    std::optional<ExifUserComment> comment = exif.GetUserComment(*entry, true);
    if (!comment) return {};
    std::string text = std::move(comment->bytes);
    code = comment->code;
    CutAtZero(text, code);
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    if (code == kCharsetAuto) code = DetectCharset(text.data(), length);
    if (!charset.autoWriteCharset && charset.writeCharset != kCharsetAscii) {
        std::string sjis = ToShiftJis(text.data(), code, length);
        code = charset.writeCharset;
        if (code == kCharsetIso2022Jp || code == kCharsetEucJp || code == kCharsetUtf8)
            return FromShiftJis(sjis.data(), code, static_cast<int>(sjis.size()));
        code = kCharsetShiftJis;
        return sjis;
    }
    if (code != kCharsetUcs2) return text;
    code = kCharsetShiftJis;
    return ToShiftJis(text.data(), kCharsetUcs2, length);
}

} // namespace

std::string ExifCommentText(const CExifReader& exif, const BulkFltOptions& options,
                            const CommentWriteCharset& charset) {
    std::string summary;
    if (options.exifGenCmt) {
        const int language = options.exifGenEng ? kSummaryEnglish : kSummaryJapanese;
        for (const std::string& line : ExifSummaryLines(exif, language))
            if (!line.empty()) summary += line + kLineEnd;
    }
    std::string text = CutCommentText(summary, kCharsetShiftJis, kMaxComText);
    if (!options.exifUserCmt) return text;
    int code = kCharsetAuto;
    const std::string user = UserCommentText(exif, charset, code);
    if (user.empty()) return text;
    const std::string separator = text.empty() ? "" : kLineEnd;
    if (text.size() + separator.size() >= kMaxComText) return text;
    return text + separator +
           CutCommentText(user, code, kMaxComText - text.size() - separator.size());
}

bool ConvertExifToJfif(SegmentList& list, const BulkFltOptions& options,
                       const CommentWriteCharset& charset) {
    auto app1 = FindSegment(list, list.begin(), kApp1);
    if (app1 == list.end()) return false;
    CMarkerSegment& segment = **app1;
    // A damaged file: nothing goes after the APP1, and no JFIF header before stray bytes goes.
    if (IsFollowedByData(list, app1) || HasJfifHeaderBeforeData(list)) return false;
    if (segment.ByteCount() < kTiffStart ||
        std::memcmp(segment.Bytes() + 4, kExifHeader, kExifHeaderSize) != 0)
        return false;
    // A JFIF header makes decoders read three components as YCbCr: a frame read as RGB stays.
    if (DecodedColour(list, true) != DecodedColour(list)) return false;
    CExifReader exif;
    if (exif.ParseExifBlock(segment.Bytes() + kTiffStart, segment.ByteCount() - kTiffStart) == 0)
        return false;

    segment.flags |= SEG_DELETED;
    DeleteJfifHeaders(list);
    auto app0 = InsertSegmentAfter(list, app1, MakeJfifApp0(exif));
    const std::string text = ExifCommentText(exif, options, charset);
    if (!text.empty())
        InsertSegmentAfter(list, app0,
                           CMarkerSegment::MakeMarker(
                               kCom, reinterpret_cast<const uint8_t*>(text.data()), text.size()));
    return true;
}

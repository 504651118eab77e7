#include "jpegtools/ExifReader.h"

#include "jpegtools/Charset.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace {

constexpr size_t kCodeFieldSize = 8;

int CommentCode(std::string_view field) {
    field = field.substr(0, field.find('\0'));
    if (field == "ASCII") return kCharsetAscii;
    if (field == "JIS") return kCharsetIso2022Jp;
    if (field == "UNICODE") return kCharsetUcs2;
    return kCharsetAuto;
}

// The text without leading and trailing spaces; empty when it is blank or starts with a
// zero byte (a comment field cleared with zeros).
std::string_view TrimSpaces(std::string_view text) {
    size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos || text[first] == '\0') return {};
    return text.substr(first, text.find_last_not_of(' ') + 1 - first);
}

// UCS-2 text in the block's byte order, or in the order its byte-order mark gives, as
// little-endian units without the mark. An odd last byte is half a unit and dropped.
std::string Ucs2ToLittleEndian(std::string_view text, bool bigEndian) {
    if (text.starts_with("\xFE\xFF") || text.starts_with("\xFF\xFE")) {
        bigEndian = text[0] == '\xFE';
        text.remove_prefix(2);
    }
    std::string units(text.substr(0, text.size() & ~size_t{1}));
    if (bigEndian)
        for (size_t i = 0; i < units.size(); i += 2)
            std::swap(units[i], units[i + 1]);
    return units;
}

} // namespace

int CExifReader::ParseExifBlock(const uint8_t* block, size_t size) {
    MemoryIfdSource source(block, size);
    return Parse(source);
}

std::optional<ExifUserComment> CExifReader::GetUserComment(const CIfdEntry& entry,
                                                           bool trim) const {
    const size_t length = std::min<size_t>(entry.Count(), entry.ValueSize());
    if (length < kCodeFieldSize) return std::nullopt;
    const std::string_view stored(reinterpret_cast<const char*>(entry.Value()), length);

    ExifUserComment comment;
    comment.code = CommentCode(stored.substr(0, kCodeFieldSize));
    std::string_view text = stored.substr(kCodeFieldSize);
    if (comment.code == kCharsetUcs2) {
        comment.bytes = Ucs2ToLittleEndian(text, BigEndian());
    } else {
        if (trim) text = TrimSpaces(text);
        comment.bytes = std::string(text);
    }
    if (comment.bytes.empty()) return std::nullopt;
    return comment;
}

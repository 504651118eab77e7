#include "jpegtools/TextCut.h"

#include "jpegtools/Charset.h"

#include <cstdint>

namespace {

constexpr char kEscapeToAscii[] = "\x1B(B";
constexpr size_t kEscapeLength = 3;

bool InRange(uint8_t byte, uint8_t low, uint8_t high) {
    return byte >= low && byte <= high;
}

size_t Utf8Length(uint8_t lead) {
    if (InRange(lead, 0xC0, 0xDF)) return 2;
    if (InRange(lead, 0xE0, 0xEF)) return 3;
    if (InRange(lead, 0xF0, 0xF7)) return 4;
    return 1;
}

size_t EucJpLength(uint8_t lead) {
    if (lead == 0x8F) return 3;
    if (lead == 0x8E || InRange(lead, 0xA1, 0xFE)) return 2;
    return 1;
}

size_t ShiftJisLength(uint8_t lead) {
    return InRange(lead, 0x81, 0x9F) || InRange(lead, 0xE0, 0xFC) ? 2 : 1;
}

// An escape sequence: ESC, intermediate bytes 0x20-0x2F, one final byte.
size_t EscapeLength(const std::string& text, size_t at) {
    size_t end = at + 1;
    while (end < text.size() && InRange(static_cast<uint8_t>(text[end]), 0x20, 0x2F))
        ++end;
    return end < text.size() ? end + 1 - at : text.size() - at;
}

// ISO-2022-JP: "ESC $ ..." starts two-byte characters, "ESC ( ..." single bytes.
std::string CutIso2022Jp(const std::string& text, size_t limit) {
    size_t at = 0, best = 0;
    bool twoByte = false, bestTwoByte = false;
    while (at < text.size()) {
        size_t length;
        if (text[at] == '\x1B') {
            length = EscapeLength(text, at);
            if (length >= 2) twoByte = text[at + 1] == '$';
        } else {
            length = twoByte && static_cast<uint8_t>(text[at]) >= 0x21 ? 2 : 1;
        }
        at += length;
        if (at > text.size()) break;
        if (at + (twoByte ? kEscapeLength : 0) > limit) break;
        best = at;
        bestTwoByte = twoByte;
    }
    std::string cut = text.substr(0, best);
    if (bestTwoByte) cut += kEscapeToAscii;
    return cut;
}

} // namespace

std::string CutAtCharBoundary(const std::string& text, int code, size_t limit) {
    if (text.size() <= limit) return text;
    if (code == kCharsetIso2022Jp) return CutIso2022Jp(text, limit);
    size_t at = 0;
    while (at < text.size()) {
        uint8_t lead = static_cast<uint8_t>(text[at]);
        size_t length = code == kCharsetUtf8    ? Utf8Length(lead)
                        : code == kCharsetEucJp ? EucJpLength(lead)
                                                : ShiftJisLength(lead);
        if (at + length > limit) break;
        at += length;
    }
    return text.substr(0, at);
}

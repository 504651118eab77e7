#include "jpegtools/CommentCut.h"

#include "jpegtools/Charset.h"

namespace {

constexpr char kEscape = '\x1B';
constexpr const char kToOneByte[] = "\x1B(J";
constexpr size_t kToOneByteSize = sizeof kToOneByte - 1;

size_t ShiftJisCharacter(unsigned char lead) {
    return (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC) ? 2 : 1;
}

size_t EucJpCharacter(unsigned char lead) {
    if (lead == 0x8F) return 3;
    return lead >= 0x80 ? 2 : 1;
}

size_t Utf8Character(unsigned char lead) {
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    return lead >= 0xC0 ? 2 : 1;
}

// Walks ISO-2022-JP text unit by unit (an escape sequence, a two-byte character, a byte),
// tracking the mode, and keeps the last boundary at which the text can stop with room for the
// escape that a two-byte run needs at its end.
std::string CutIso2022Jp(const std::string& text, size_t maxBytes) {
    size_t position = 0, kept = 0;
    bool twoByte = false, keptTwoByte = false;
    while (position < text.size()) {
        size_t unit = 1;
        bool nextTwoByte = twoByte;
        if (text[position] == kEscape) {
            const char kind = position + 1 < text.size() ? text[position + 1] : '\0';
            unit = kind == '(' || kind == '$' ? 3 : 2;
            const char final = position + 2 < text.size() ? text[position + 2] : '\0';
            if (kind == '(' && (final == 'B' || final == 'J')) nextTwoByte = false;
            if (kind == '$' && (final == 'B' || final == '@')) nextTwoByte = true;
        } else if (twoByte) {
            unit = 2;
        }
        if (position + unit > text.size()) break;
        position += unit;
        twoByte = nextTwoByte;
        if (position + (twoByte ? kToOneByteSize : 0) > maxBytes) break;
        kept = position;
        keptTwoByte = twoByte;
    }
    std::string head = text.substr(0, kept);
    if (keptTwoByte) head += kToOneByte;
    return head;
}

} // namespace

std::string CutCommentText(const std::string& text, int code, size_t maxBytes) {
    if (text.size() <= maxBytes) return text;
    if (code == kCharsetIso2022Jp) return CutIso2022Jp(text, maxBytes);
    // Every other code holds Shift_JIS (the program's own form) or plain ASCII, which the
    // Shift_JIS rule cuts at any byte.
    size_t (*characterSize)(unsigned char) = ShiftJisCharacter;
    if (code == kCharsetEucJp) characterSize = EucJpCharacter;
    if (code == kCharsetUtf8) characterSize = Utf8Character;
    size_t kept = 0;
    while (kept < text.size()) {
        const size_t next = kept + characterSize(static_cast<unsigned char>(text[kept]));
        if (next > maxBytes) break;
        kept = next;
    }
    return text.substr(0, kept);
}

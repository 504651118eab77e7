#include "jpegtools/SegmentHexText.h"

#include <algorithm>

namespace {

constexpr size_t kBytesPerLine = 16;
constexpr size_t kCharsPerByte = 3;     // two digits and a space
constexpr size_t kLineEndLength = 2;    // "\r\n"
constexpr size_t kReadLineLength = 255; // characters of an edited line that are read

// Position of the first digit of byte index in a full hex text.
size_t BytePosition(size_t index) {
    return index * kCharsPerByte + index / kBytesPerLine * kLineEndLength;
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

std::string SegmentHexText(const CMarkerSegment& segment) {
    if (segment.Has(SEG_DATA)) return "(scan data...)";
    static const char kDigits[] = "0123456789abcdef";
    const size_t count = segment.ByteCount();
    const uint8_t* bytes = segment.Bytes();
    std::string text;
    text.reserve(BytePosition(count) + kLineEndLength);
    for (size_t i = 0; i < count; ++i) {
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 0x0F];
        text += ' ';
        if (i % kBytesPerLine == kBytesPerLine - 1 || i + 1 == count) text += "\r\n";
    }
    return text;
}

TextRange HexSelection(size_t offset, size_t count, size_t textLength) {
    const size_t start = std::min(BytePosition(offset), textLength);
    const size_t afterLast = BytePosition(offset + count);
    const size_t end = afterLast > 0 ? std::min(afterLast - 1, textLength) : 0;
    return {start, std::max(start, end)};
}

std::vector<uint8_t> ParseHexText(const std::string& text) {
    std::vector<uint8_t> bytes;
    bool inRun = false;
    size_t column = 0;
    for (char c : text) {
        if (c == '\n') {
            column = 0;
            inRun = false;
            continue;
        }
        if (column++ >= kReadLineLength) continue;
        const int digit = HexDigitValue(c);
        if (digit < 0) {
            inRun = false;
            continue;
        }
        if (!inRun) bytes.push_back(0);
        bytes.back() = static_cast<uint8_t>(bytes.back() << 4 | digit);
        inRun = true;
    }
    return bytes;
}

TextRange LineFeedRange(const std::string& hexText, TextRange range) {
    auto shortened = [&hexText](size_t position) {
        const auto end =
            hexText.begin() + static_cast<std::ptrdiff_t>(std::min(position, hexText.size()));
        return position - static_cast<size_t>(std::count(hexText.begin(), end, '\r'));
    };
    return {shortened(range.start), shortened(range.end)};
}

size_t CharactersOverLimit(size_t oldLength, size_t newLength, size_t limit) {
    if (newLength <= oldLength || newLength <= limit) return 0;
    return newLength - std::max(oldLength, limit);
}

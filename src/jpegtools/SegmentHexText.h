#pragma once
// The marker inspector's hex view of a segment: the text shown, the range a node's bytes take
// in it, and the bytes read back from an edited text.
#include "jpegtools/MarkerSegment.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// "(scan data...)" for a data stretch or an IDAT chunk; otherwise every byte as two lower-case
// hex digits and a space, 16 to a line, each line ended by "\r\n" (a full line is 50
// characters).
std::string SegmentHexText(const CMarkerSegment& segment);

// Characters [start, end) of a hex text.
struct TextRange {
    size_t start = 0;
    size_t end = 0;
};
// The characters showing count bytes from offset, from the first digit of the first byte to the
// last digit of the last; limited to a text of textLength characters.
TextRange HexSelection(size_t offset, size_t count, size_t textLength);

// The same range in the text with every "\r\n" shortened to "\n", as text widgets hold it.
TextRange LineFeedRange(const std::string& hexText, TextRange range);

// The bytes of an edited hex text: every run of hex digits is one byte, the value of its last
// two digits; any other character separates runs. Only the first 255 characters of a line are
// read.
std::vector<uint8_t> ParseHexText(const std::string& text);

// The hex text's limit on typing: characters of a change beyond it are dropped, while a longer
// text the program filled in stays whole. Returns how many of the characters just added must
// go, for a change from oldLength to newLength characters.
size_t CharactersOverLimit(size_t oldLength, size_t newLength, size_t limit);

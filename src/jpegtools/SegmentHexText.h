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

// The bytes of an edited hex text: every run of hex digits is one byte, the value of its last
// two digits; any other character separates runs.
std::vector<uint8_t> ParseHexText(const std::string& text);

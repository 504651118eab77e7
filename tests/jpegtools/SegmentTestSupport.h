#pragma once
// Helpers for the segment tests: split bytes written to a file, describe a list compactly,
// write a list back.
#include "jpegtools/SegmentReader.h"
#include "support/TempDir.h"

#include <cstdio>
#include <fstream>
#include <string>

// "D0,3" for a data stretch at offset 0 of 3 bytes, "D8@3" for a standalone marker, "E0@5:18"
// for a marker segment of 18 bytes, "mC4:6" for a 6-byte record made in memory; "x" marks a
// deleted record. Records are separated by spaces.
inline std::string Describe(const SegmentList& list) {
    std::string text;
    char item[64];
    for (const auto& segment : list) {
        if (!text.empty()) text += ' ';
        if (segment->IsDeleted()) text += 'x';
        if (segment->Has(SEG_DATA))
            std::snprintf(item, sizeof item, "D%llu,%llu", (unsigned long long)segment->offset,
                          (unsigned long long)segment->length);
        else if (!segment->Has(SEG_FROMFILE))
            std::snprintf(item, sizeof item, "m%02X:%llu", segment->Code() & 0xFF,
                          (unsigned long long)segment->length);
        else if (segment->length == 2)
            std::snprintf(item, sizeof item, "%02X@%llu", segment->Code(),
                          (unsigned long long)segment->offset);
        else
            std::snprintf(item, sizeof item, "%02X@%llu:%llu", segment->Code(),
                          (unsigned long long)segment->offset, (unsigned long long)segment->length);
        text += item;
    }
    return text;
}

// The bytes of a file, read in one piece (large corpus files too).
inline std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    std::string bytes(in ? static_cast<size_t>(in.tellg()) : 0, '\0');
    in.seekg(0);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

// Splits the file at path as a JPEG (empty list when it cannot be opened).
inline SegmentList SplitJpegFile(const std::string& path) {
    SegmentList list;
    CSegmentReader reader;
    if (reader.Open(path)) reader.ParseJpeg(list);
    return list;
}

// Writes the list against source into a new file of dir and returns its bytes ("<failed>"
// when WriteSegments fails).
inline std::string WriteToString(const TempDir& dir, const std::string& source,
                                 const SegmentList& list) {
    CSegmentReader reader;
    const std::string output = dir.File("written.out");
    if (!reader.WriteSegments(source, output, list)) return "<failed>";
    return ReadWholeFile(output);
}

#pragma once
// The Exif data of a JPEG file: the TIFF structure inside its APP1 "Exif" segment, read in
// place, and the user comment taken out of it with its character code.
#include "jpegtools/IfdReader.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

constexpr uint16_t kTagUserComment = 0x9286;

// A user comment's text and its character code (kCharsetAscii, kCharsetIso2022Jp,
// kCharsetUcs2, or kCharsetAuto when the comment does not say).
struct ExifUserComment {
    // The text bytes; for kCharsetUcs2 16-bit units in little-endian order, as ToShiftJis
    // takes them.
    std::string bytes;
    int code = 0;
};

class CExifReader : public CIfdReader {
public:
    // Parses an Exif block: the TIFF header and everything after it (the APP1 payload after
    // "Exif\0\0"). The entries view the block, which must outlive their use. Returns the
    // count of the walks, 0 on failure.
    int ParseExifBlock(const uint8_t* block, size_t size);

    // The text of a UserComment entry, or nullopt when there is none. With `trim`, a comment
    // not in UCS-2 loses leading and trailing spaces, and one that is blank or starts with a
    // zero byte counts as none.
    std::optional<ExifUserComment> GetUserComment(const CIfdEntry& entry, bool trim) const;
};

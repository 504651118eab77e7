#pragma once
// MAG ("MAKI02") and MAKI ("MAKI01") pictures: a decoder from the bytes of a file to a
// picture, and the reader that hands the realized image, its description and its comments
// to the document. There is no writer.
#include "core/DibImage.h"
#include "core/ImageReadOptions.h"
#include "core/MagPicture.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One comment of the file: key "Author" (machine code and user name) or "Comment", text as
// the Shift_JIS bytes of the file.
struct MagComment {
    std::string key;
    std::string text;
};

// What else the document keeps of the file.
struct MagFileFacts {
    int bitsPerSample = 0;        // 3, 4 or 8
    std::vector<RgbQuad> palette; // the file's palette, colour-count entries
};

// Decodes a whole MAG or MAKI file held in memory; false when it is neither, or malformed.
bool DecodeMag(const uint8_t* data, size_t size, MagPicture& picture);
// The format description, e.g. "640x400 MAKI02(4bit)".
std::string MagDescription(const MagPicture& picture);
// The comments of the file: a non-empty author, then a non-empty comment.
std::vector<MagComment> MagComments(const MagPicture& picture);
// The packed DIB of a decoded picture (8-bit for MAG, 4-bit for MAKI), not yet realized;
// null when memory runs out.
std::unique_ptr<CDibImage> MakeMagDib(const MagPicture& picture);
// Reads a MAG or MAKI file and prepares it for display; null after reporting the failure
// ("LoadMagFile"). facts, when given, receives the depth and the palette of the file.
std::unique_ptr<CDibImage> ReadMagFile(const std::string& path, const ImageReadOptions& options,
                                       std::string& description, std::vector<MagComment>& comments,
                                       MagFileFacts* facts = nullptr);

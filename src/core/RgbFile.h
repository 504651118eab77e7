#pragma once
// Raw RGB pictures: a data file of bare 24-bit pixels (red, green, blue; rows top-down, no
// padding) and a text header file ".fal" beside it that gives the size.
#include "core/ImageFacts.h"
#include "core/ImageReadOptions.h"

#include <optional>
#include <string>

class COutputFiles;
struct ImageSaveRequest;

// Reader and document writer (type code 134); the path may name either file.
std::optional<DecodedPicture> ReadRgbFile(const std::string& path, const ImageReadOptions& options);
bool SaveRgbFile(const ImageSaveRequest& request, ImageFacts& written, COutputFiles& output,
                 const std::string& path);

// The header file of a path: its extension replaced by ".fal", or ".fal" appended.
std::string FalHeaderPath(const std::string& path);
// The data file of a path: ".fal" (any case) replaced by ".rgb", ".rgb" appended to a name
// without extension, otherwise the path itself.
std::string RgbDataPath(const std::string& path);
// Width and height from a header's text (its second line: "width height ..."); false when
// they are missing or out of range.
bool ParseFalHeader(const std::string& text, int& width, int& height);

#pragma once
// The --json output of describe, info, exif and markers: one JSON object per file and line,
// with the values the text output shows.
#include <nlohmann/json.hpp>
#include <string>

class CImageDoc;
class CIfdReader;
struct MarkerNode;

// path, description, width, height, fileSize, comments (key, charset, text, current) and, when
// the file has Exif data, exif.
nlohmann::json DocumentJson(const std::string& path, const CImageDoc& document);
// lines: the five summary lines; tags: every entry read (tag, type, count).
nlohmann::json ExifJson(const CIfdReader& reader, bool english);
// text, offset and size within the segment, children.
nlohmann::json MarkerNodeJson(const MarkerNode& node);
// Shift_JIS text as UTF-8.
std::string Utf8Of(const std::string& sjis);
// Writes the object on one line of stdout.
void PrintJsonLine(const nlohmann::json& object);

#pragma once
// The --json output of describe, info, exif and markers: one JSON object per file and line,
// with the values the text output shows.
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

class CImageDoc;
class CIfdReader;
struct CommentItem;
struct ImageFacts;
struct MarkerNode;

// What describe and info tell of a file.
struct DescribedFile {
    std::string description;
    int width = 0, height = 0;
    uint32_t fileSize = 0;
    std::vector<const CommentItem*> comments;
    const CommentItem* current = nullptr;
    const CIfdReader* exif = nullptr;
};
DescribedFile DescribedDocument(const CImageDoc& document);
DescribedFile DescribedFacts(const ImageFacts& facts, int width, int height);

// {"path": PATH}, with "path_bytes", the name's bytes in hex, when it is not valid UTF-8.
nlohmann::json PathJson(const std::string& path);
// path, description, width, height, fileSize, comments (key, charset, charsetName, text,
// current; bytes, the stored bytes in hex, when the text does not give them back exactly) and,
// when the file has Exif data, exif.
nlohmann::json DescribedJson(const std::string& path, const DescribedFile& file);
// lines: the five summary lines; tags: every entry read (tag, type, count).
nlohmann::json ExifJson(const CIfdReader& reader, bool english);
// text, offset and size within the segment, children.
nlohmann::json MarkerNodeJson(const MarkerNode& node);
// Shift_JIS text as UTF-8.
std::string Utf8Of(const std::string& sjis);
// Writes the object on one line of stdout.
void PrintJsonLine(const nlohmann::json& object);

#pragma once
// Five short lines of shooting data made from well-known Exif tags: camera, optics, date,
// exposure mode and exposure data. Parts are joined by one space; a missing tag leaves its
// part out. The lines are Shift_JIS text, as the program holds comments.
#include "jpegtools/IfdReader.h"

#include <array>
#include <string>

// Language offsets of the exposure mode line: added to its string ids.
constexpr int kSummaryJapanese = 0;
constexpr int kSummaryEnglish = 400;

// Each sets `line` and returns true when it is not empty.
bool CameraLine(const CIfdReader& reader, std::string& line);
bool OpticsLine(const CIfdReader& reader, std::string& line);
bool DateLine(const CIfdReader& reader, std::string& line);
bool ExposureModeLine(const CIfdReader& reader, std::string& line, int languageOffset);
bool ExposureLine(const CIfdReader& reader, std::string& line);

// The five lines in the order camera, optics, date, exposure mode, exposure data.
std::array<std::string, 5> ExifSummaryLines(const CIfdReader& reader, int languageOffset);

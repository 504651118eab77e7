#include "jpegtools/ExifSummary.h"

#include "base/StringTable.h"
#include "jpegtools/Charset.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <optional>
#include <utility>

namespace {

enum : uint16_t {
    kTagMake = 271,
    kTagModel = 272,
    kTagDateTime = 306,
    kTagExposureTime = 0x829A,
    kTagFNumber = 0x829D,
    kTagExposureProgram = 0x8822,
    kTagIsoSpeedRatings = 0x8827,
    kTagDateTimeOriginal = 0x9003,
    kTagShutterSpeedValue = 0x9201,
    kTagApertureValue = 0x9202,
    kTagExposureBiasValue = 0x9204,
    kTagMaxApertureValue = 0x9205,
    kTagSubjectDistance = 0x9206,
    kTagMeteringMode = 0x9207,
    kTagFlash = 0x9209,
    kTagFocalLength = 0x920A,
};

constexpr unsigned kLastProgram = 8;
constexpr unsigned kLastMetering = 6;

constexpr double kSqrt2 = 1.4142135623730951;

template <typename... Args> std::string Format(const char* format, Args... args) {
    const int length = std::snprintf(nullptr, 0, format, args...);
    if (length <= 0) return {};
    std::string text(static_cast<size_t>(length), '\0');
    std::snprintf(text.data(), text.size() + 1, format, args...);
    return text;
}

// Collects the parts of one line, separated by single spaces.
class Line {
public:
    void Add(const std::string& part) {
        if (part.empty()) return;
        if (!text_.empty()) text_ += ' ';
        text_ += part;
    }
    void Append(const char* text) { text_ += text; }
    bool Finish(std::string& line) {
        line = std::move(text_);
        return !line.empty();
    }

private:
    std::string text_;
};

// An ASCII tag's text without trailing white space; empty when the tag is missing.
std::string TagText(const CIfdReader& reader, uint16_t tag) {
    const CIfdEntry* entry = reader.FindTag(tag);
    if (!entry) return {};
    std::string text = reader.GetText(*entry);
    text.erase(text.find_last_not_of(" \t\r\n\v\f") + 1);
    return text;
}

// The string `offset` ids after `id`, in Shift_JIS.
std::string SjisString(StringId id, int offset) {
    return ToShiftJis(LoadString(StringIdAt(id, offset)).c_str(), kCharsetUtf8, -1);
}

std::string FNumberPart(const CIfdReader& reader) {
    if (const CIfdEntry* entry = reader.FindTag(kTagFNumber))
        return Format("F=%2.1f", reader.GetRational(*entry));
    if (const CIfdEntry* entry = reader.FindTag(kTagMaxApertureValue))
        return Format("F=%2.1f", std::pow(kSqrt2, reader.GetRational(*entry)));
    return {};
}

std::string SubjectDistancePart(const CIfdReader& reader) {
    const CIfdEntry* entry = reader.FindTag(kTagSubjectDistance);
    if (!entry) return {};
    int32_t numerator = 0, denominator = 0;
    double distance = reader.GetSRational(*entry, &numerator, &denominator);
    return denominator == 0 ? "D=omega" : Format("D=%3.1fm", distance);
}

// Shutter speed as a rate (1 / exposure time); none without a positive, finite figure.
std::optional<double> ShutterRate(const CIfdReader& reader) {
    double rate = 0;
    if (const CIfdEntry* entry = reader.FindTag(kTagShutterSpeedValue)) {
        rate = std::pow(2.0, reader.GetSRational(*entry));
    } else if (const CIfdEntry* exposure = reader.FindTag(kTagExposureTime)) {
        uint32_t numerator = 0, denominator = 0;
        reader.GetRational(*exposure, &numerator, &denominator);
        if (numerator == 0) return std::nullopt;
        rate = static_cast<double>(denominator) / numerator;
    }
    if (!(rate > 0) || !std::isfinite(rate)) return std::nullopt;
    return rate;
}

std::string ShutterPart(const CIfdReader& reader) {
    std::optional<double> rate = ShutterRate(reader);
    if (!rate) return {};
    if (*rate > 1) return Format("1/%dsec", *rate < INT_MAX ? static_cast<int>(*rate) : INT_MAX);
    return Format("%2.1fsec", 1 / *rate);
}

std::string ExposureBiasPart(const CIfdReader& reader) {
    const CIfdEntry* entry = reader.FindTag(kTagExposureBiasValue);
    if (!entry) return {};
    double bias = reader.GetSRational(*entry);
    return Format("EV=%c%.2f", bias < 0 ? '-' : '+', std::fabs(bias));
}

// "name=" and the text of value v: strings base + v up to `last`, else "(other)(v)".
std::string ModePart(const CIfdReader& reader, uint16_t tag, StringId nameId, StringId baseId,
                     unsigned last, int languageOffset) {
    const CIfdEntry* entry = reader.FindTag(tag);
    if (!entry) return {};
    const unsigned value = reader.GetShort(*entry);
    std::string part = SjisString(nameId, languageOffset);
    if (value <= last) return part + SjisString(baseId, static_cast<int>(value) + languageOffset);
    return part + SjisString(StringId::ExifOtherJa, languageOffset) + Format("(%u)", value);
}

} // namespace

bool CameraLine(const CIfdReader& reader, std::string& line) {
    Line parts;
    parts.Add(TagText(reader, kTagMake));
    parts.Add(TagText(reader, kTagModel));
    return parts.Finish(line);
}

bool OpticsLine(const CIfdReader& reader, std::string& line) {
    Line parts;
    if (const CIfdEntry* entry = reader.FindTag(kTagFocalLength))
        parts.Add(Format("L=%3.1fmm", reader.GetRational(*entry)));
    parts.Add(FNumberPart(reader));
    parts.Add(SubjectDistancePart(reader));
    return parts.Finish(line);
}

bool DateLine(const CIfdReader& reader, std::string& line) {
    Line parts;
    parts.Add(reader.FindTag(kTagDateTimeOriginal) ? TagText(reader, kTagDateTimeOriginal)
                                                   : TagText(reader, kTagDateTime));
    return parts.Finish(line);
}

bool ExposureModeLine(const CIfdReader& reader, std::string& line, int languageOffset) {
    Line parts;
    parts.Add(ModePart(reader, kTagExposureProgram, StringId::ExifExposureJa,
                       StringId::ExifProgramsJa, kLastProgram, languageOffset));
    parts.Add(ModePart(reader, kTagMeteringMode, StringId::ExifMeteringJa,
                       StringId::ExifMeteringsJa, kLastMetering, languageOffset));
    return parts.Finish(line);
}

bool ExposureLine(const CIfdReader& reader, std::string& line) {
    Line parts;
    parts.Add(ShutterPart(reader));
    if (const CIfdEntry* entry = reader.FindTag(kTagApertureValue))
        parts.Add(Format("F=%2.1f", std::pow(kSqrt2, reader.GetRational(*entry))));
    parts.Add(ExposureBiasPart(reader));
    if (const CIfdEntry* entry = reader.FindTag(kTagIsoSpeedRatings))
        parts.Add(Format("ISO=%d", reader.GetShort(*entry)));
    if (const CIfdEntry* entry = reader.FindTag(kTagFlash); entry && reader.GetShort(*entry) != 0)
        parts.Append(" +F");
    return parts.Finish(line);
}

std::array<std::string, 5> ExifSummaryLines(const CIfdReader& reader, int languageOffset) {
    std::array<std::string, 5> lines;
    CameraLine(reader, lines[0]);
    OpticsLine(reader, lines[1]);
    DateLine(reader, lines[2]);
    ExposureModeLine(reader, lines[3], languageOffset);
    ExposureLine(reader, lines[4]);
    return lines;
}

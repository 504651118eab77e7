// exif [--english] [--json] FILE...: the Exif summary lines of JPEG, TIFF, WebP, HEIF/AVIF and
// JPEG XL files; with several files each line starts with the file's path and ": ". A file whose
// summary would be empty (no Exif data, another type, or entries the summary cannot read) is
// reported. The
// first bytes decide the type; the name only where they say nothing.
#include "base/FileExtension.h"
#include "base/ReportError.h"
#include "cli/CliCommand.h"
#include "cli/CliJson.h"
#include "cli/CliReports.h"
#include "core/FileReadType.h"
#include "core/SourceMetadata.h"
#include "jpegtools/ExifReader.h"
#include "jpegtools/ExifSummary.h"
#include "jpegtools/JpegExifBlock.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace {

constexpr const char* kName = "exif";
// The Exif segment comes before the first scan, well within this many bytes.
constexpr size_t kMaxJpegHead = 16 << 20;

// Parses the Exif data of a WebP, HEIF/AVIF or JPEG XL file (the TIFF structure a JPEG's Exif
// block holds), kept in `bytes`; false (reported) when the file cannot be read.
bool ParseContainerExif(const std::string& path, int type, std::string& bytes,
                        CExifReader& reader) {
    std::optional<ContainerMetadata> metadata = ReadContainerMetadata(path, type);
    if (!metadata) {
        ReportErrorId(kName, path, StringId::CannotOpen);
        return false;
    }
    bytes.assign(metadata->exif.begin(), metadata->exif.end());
    if (!bytes.empty())
        reader.ParseExifBlock(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    return true;
}

// Parses the Exif block of a JPEG file; `bytes` receives the file's head, which the reader's
// entries view. False (reported) when it cannot be read.
bool ParseJpegExif(const std::string& path, std::string& bytes, CExifReader& reader) {
    if (!ReadWholeFile(path, bytes, kMaxJpegHead)) {
        ReportErrorId(kName, path, StringId::CannotOpen);
        return false;
    }
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
    if (std::optional<ByteRange> block = FindJpegExifBlock(data, bytes.size()))
        reader.ParseExifBlock(data + block->offset, block->size);
    return true;
}

bool ParseTiffExif(const std::string& path, CExifReader& reader) {
    if (reader.ParseTiffFile(path) >= 0) return true;
    ReportErrorId(kName, path, StringId::CannotOpen);
    return false;
}

// The file's summary lines; false (reported) when the file cannot be read or gives none. The
// reader's entries view `bytes`.
bool ReadSummary(const std::string& path, bool english, std::string& bytes, CExifReader& reader,
                 std::array<std::string, 5>& lines) {
    CliReports().BeginFile(path);
    bool opened = false;
    const int type = ReadTypeOfFile(path, opened); // by content, as the viewer reads it
    if (!opened) {
        ReportCannotOpen(kName, path);
        return false;
    }
    switch (type) {
    case kTypeJpeg:
        if (!ParseJpegExif(path, bytes, reader)) return false;
        break;
    case kTypeTiff:
        if (!ParseTiffExif(path, reader)) return false;
        break;
    default:
        if (HasContainerMetadata(type) && !ParseContainerExif(path, type, bytes, reader))
            return false;
        break;
    }
    lines = ExifSummaryLines(reader, english ? kSummaryEnglish : kSummaryJapanese);
    if (std::any_of(lines.begin(), lines.end(), [](const auto& line) { return !line.empty(); }))
        return true;
    ReportError(kName, path, "No Exif data");
    return false;
}

} // namespace

int RunExifCommand(SettingsStore&, const CliArgs& arguments) {
    CliArgs args = arguments;
    const bool english = TakeFlag(args, "--english");
    const bool json = TakeFlag(args, "--json");
    if (!FinishOptions(args, "exif")) return kExitUsage;
    if (args.empty()) return UsageError("exif: give at least one FILE");
    int status = kExitOk;
    for (const std::string& path : args) {
        std::string bytes;
        CExifReader reader;
        std::array<std::string, 5> lines;
        if (!ReadSummary(path, english, bytes, reader, lines)) {
            status = kExitFailed;
            continue;
        }
        if (json) {
            nlohmann::json object = PathJson(path);
            object["exif"] = ExifJson(reader, english);
            PrintJsonLine(object);
            continue;
        }
        for (const std::string& line : lines) {
            if (args.size() > 1) std::printf("%s: ", path.c_str());
            std::printf("%s\n", Utf8Of(line).c_str());
        }
    }
    return status;
}

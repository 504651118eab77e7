// exif [--english] FILE: the Exif summary lines of a JPEG or TIFF file.
#include "app/util/FileExtension.h"
#include "app/util/ReportError.h"
#include "cli/CliCommand.h"
#include "cli/CliJson.h"
#include "cli/CliReports.h"
#include "jpegtools/ExifReader.h"
#include "jpegtools/ExifSummary.h"
#include "jpegtools/JpegExifBlock.h"

#include <cstdio>

namespace {

constexpr const char* kName = "exif";
// The Exif segment comes before the first scan, well within this many bytes.
constexpr size_t kMaxJpegHead = 16 << 20;

// Parses the Exif block of a JPEG file; `bytes` receives the file's head, which the reader's
// entries view. False (reported) when there is no Exif block.
bool ParseJpegExif(const std::string& path, std::string& bytes, CExifReader& reader) {
    if (!ReadWholeFile(path, bytes, kMaxJpegHead)) {
        ReportErrorId(kName, path, StringId::CannotOpen);
        return false;
    }
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
    std::optional<ByteRange> block = FindJpegExifBlock(data, bytes.size());
    if (!block) {
        ReportError(kName, path, "No Exif data");
        return false;
    }
    reader.ParseExifBlock(data + block->offset, block->size);
    return true;
}

bool ParseTiffExif(const std::string& path, CExifReader& reader) {
    if (reader.ParseTiffFile(path) < 0) {
        ReportErrorId(kName, path, StringId::CannotOpen);
        return false;
    }
    if (reader.Entries().empty()) {
        ReportError(kName, path, "No Exif data");
        return false;
    }
    return true;
}

} // namespace

int RunExifCommand(SettingsStore&, const CliArgs& arguments) {
    CliArgs args = arguments;
    const bool english = TakeFlag(args, "--english");
    const bool json = TakeFlag(args, "--json");
    if (!FinishOptions(args, "exif")) return kExitUsage;
    if (args.size() != 1) return UsageError("exif: give exactly one FILE");
    const std::string& path = args[0];
    CliReports().BeginFile(path);

    CExifReader reader;
    std::string bytes;
    switch (FileTypeFromExtension(ExtensionOf(path))) {
    case kTypeJpeg:
        if (!ParseJpegExif(path, bytes, reader)) return kExitFailed;
        break;
    case kTypeTiff:
        if (!ParseTiffExif(path, reader)) return kExitFailed;
        break;
    default:
        return UsageError("exif: FILE must be a JPEG or TIFF file");
    }
    if (json) {
        PrintJsonLine({{"path", path}, {"exif", ExifJson(reader, english)}});
        return kExitOk;
    }
    for (const std::string& line :
         ExifSummaryLines(reader, english ? kSummaryEnglish : kSummaryJapanese))
        std::printf("%s\n", Utf8Of(line).c_str());
    return kExitOk;
}

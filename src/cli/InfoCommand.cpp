// info FILE...: what the document knows about each file: description, size and comments.
#include "base/ByteCount.h"
#include "cli/CliCommand.h"
#include "cli/CliJson.h"
#include "core/ImageDoc.h"
#include "jpegtools/Charset.h"
#include "jpegtools/ExifSummary.h"

#include <cstdio>

namespace {

// A comment's Shift_JIS text in UTF-8 on one line, its lines joined by "\n".
std::string OneLineText(const std::string& sjis) {
    std::string utf8 = FromShiftJis(sjis.c_str(), kCharsetUtf8, -1);
    std::string line;
    for (size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') continue;
        if (utf8[i] == '\n') {
            if (i + 1 < utf8.size()) line += "\\n";
        } else {
            line += utf8[i];
        }
    }
    return line;
}

// The five summary lines, the exposure mode in Japanese as the information window shows it.
void PrintExifLines(const CIfdReader& reader) {
    static const char* const kNames[] = {"camera", "optics", "date", "exposure-mode", "exposure"};
    const auto lines = ExifSummaryLines(reader, kSummaryJapanese);
    for (size_t i = 0; i < lines.size(); ++i)
        std::printf("exif[%s]: %s\n", kNames[i], OneLineText(lines[i]).c_str());
}

void PrintInfo(const std::string& path, const CImageDoc& document) {
    std::string grouped, shortForm;
    FormatByteCount(document.Facts().fileSize, &grouped, &shortForm);
    std::printf("path: %s\ndescription: %s\nsize: %s (%s)\n", path.c_str(),
                document.InfoText().c_str(), grouped.c_str(), shortForm.c_str());
    for (const auto& item : document.Comments())
        std::printf("comment[%s]%s: %s\n", item->key.c_str(),
                    item.get() == document.CurrentComment() ? "*" : "",
                    OneLineText(item->text).c_str());
    if (const CommentItem* current = document.CurrentComment()) {
        const char* name = CharsetName(current->charset);
        std::printf("charset: %d %s\n", current->charset, name ? name : "");
    }
    if (const CIfdReader* exif = document.Facts().exif.Reader()) PrintExifLines(*exif);
}

} // namespace

int RunInfoCommand(SettingsStore&, const CliArgs& arguments) {
    CliArgs args = arguments;
    const bool json = TakeFlag(args, "--json");
    if (!FinishOptions(args, "info")) return kExitUsage;
    if (args.empty()) return UsageError("info: give at least one FILE");
    if (json)
        return ForEachImageDocument(args, "info", [](const std::string& path, CImageDoc& document) {
            PrintJsonLine(DescribedJson(path, DescribedDocument(document)));
        });
    bool first = true;
    return ForEachImageDocument(args, "info", [&](const std::string& path, CImageDoc& document) {
        if (!first) std::printf("\n");
        first = false;
        PrintInfo(path, document);
    });
}

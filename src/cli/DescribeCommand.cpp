// describe [--json] FILE...: the format description of each file, as the status bar shows it;
// with several files each line starts with the file's path and ": ". A JPEG file is described
// from its headers when they promise what a full read gives, in text and in JSON alike.
#include "base/FileExtension.h"
#include "cli/CliCommand.h"
#include "cli/CliJson.h"
#include "core/CommentItem.h"
#include "core/ImageDoc.h"
#include "core/JpegRead.h"

#include <cstdio>

namespace {

// The file as its headers tell it; false when it must be read in full.
bool DescribeFromHeaders(const SettingsStore& settings, const std::string& path,
                         const std::function<void(const DescribedFile&)>& show) {
    JpegHeaderFacts header;
    if (FileTypeFromExtension(ExtensionOf(path)) != kTypeJpeg ||
        !ReadJpegHeaders(path, ReadCharsetsOf(settings), header))
        return false;
    show(DescribedFacts(header.facts, header.width, header.height));
    return true;
}

} // namespace

int RunDescribeCommand(SettingsStore& settings, const CliArgs& arguments) {
    CliArgs args = arguments;
    const bool json = TakeFlag(args, "--json");
    if (!FinishOptions(args, "describe")) return kExitUsage;
    if (args.empty()) return UsageError("describe: give at least one FILE");
    const bool prefixed = args.size() > 1;
    int status = kExitOk;
    for (const std::string& path : args) {
        const auto show = [&](const DescribedFile& file) {
            if (json) {
                PrintJsonLine(DescribedJson(path, file));
                return;
            }
            if (prefixed) std::printf("%s: ", path.c_str());
            std::printf("%s\n", file.description.c_str());
        };
        if (DescribeFromHeaders(settings, path, show)) continue;
        if (ForEachImageDocument({path}, "describe", [&](const std::string&, CImageDoc& document) {
                show(DescribedDocument(document));
            }) != kExitOk)
            status = kExitFailed;
    }
    return status;
}

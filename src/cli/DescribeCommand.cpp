// describe FILE...: the format description of each file, as the status bar shows it; with
// several files each line starts with the file's path and ": ". A JPEG file is described from
// its headers when they promise the text a full read gives.
#include "app/util/FileExtension.h"
#include "cli/CliCommand.h"
#include "cli/CliJson.h"
#include "core/ImageDoc.h"
#include "core/JpegRead.h"

#include <cstdio>

int RunDescribeCommand(SettingsStore&, const CliArgs& arguments) {
    CliArgs args = arguments;
    const bool json = TakeFlag(args, "--json");
    if (!FinishOptions(args, "describe")) return kExitUsage;
    if (args.empty()) return UsageError("describe: give at least one FILE");
    if (json)
        return ForEachImageDocument(args, "describe",
                                    [](const std::string& path, CImageDoc& document) {
                                        PrintJsonLine(DocumentJson(path, document));
                                    });
    const bool prefixed = args.size() > 1;
    const auto print = [&](const std::string& path, const std::string& description) {
        if (prefixed) std::printf("%s: ", path.c_str());
        std::printf("%s\n", description.c_str());
    };
    int status = kExitOk;
    for (const std::string& path : args) {
        std::string description;
        if (FileTypeFromExtension(ExtensionOf(path)) == kTypeJpeg &&
            DescribeJpegHeaders(path, description)) {
            print(path, description);
            continue;
        }
        if (ForEachImageDocument({path}, "describe", [&](const std::string&, CImageDoc& document) {
                print(path, document.InfoText());
            }) != kExitOk)
            status = kExitFailed;
    }
    return status;
}

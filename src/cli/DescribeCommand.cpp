// describe FILE...: the format description of each file, as the status bar shows it; with
// several files each line starts with the file's path and ": ".
#include "cli/CliCommand.h"
#include "core/ImageDoc.h"

#include <cstdio>

int RunDescribeCommand(SettingsStore&, const CliArgs& arguments) {
    CliArgs args = arguments;
    if (!FinishOptions(args, "describe")) return kExitUsage;
    if (args.empty()) return UsageError("describe: give at least one FILE");
    const bool prefixed = args.size() > 1;
    return ForEachImageDocument(args, "describe",
                                [&](const std::string& path, CImageDoc& document) {
                                    if (prefixed) std::printf("%s: ", path.c_str());
                                    std::printf("%s\n", document.InfoText().c_str());
                                });
}

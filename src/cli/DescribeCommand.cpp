// describe FILE...: the format description of each file, as the status bar shows it.
#include "cli/CliCommand.h"
#include "core/ImageDoc.h"

#include <cstdio>

int RunDescribeCommand(SettingsStore&, const CliArgs& args) {
    if (args.empty()) return UsageError("describe: give at least one FILE");
    return ForEachImageDocument(args, "describe", [](const std::string&, CImageDoc& document) {
        std::printf("%s\n", document.InfoText().c_str());
    });
}

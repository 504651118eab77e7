// describe FILE...: the format description of each file, as the status bar shows it.
#include "cli/CliCommand.h"
#include "core/DocTemplate.h"

#include <cstdio>

int RunDescribeCommand(SettingsStore&, const CliArgs& args) {
    if (args.empty()) return UsageError("describe: give at least one FILE");
    CDocTemplate documents;
    int status = kExitOk;
    for (const std::string& path : args) {
        CImageDoc* document = OpenImageDocument(documents, "describe", path);
        if (!document) {
            status = kExitFailed;
            continue;
        }
        std::printf("%s\n", document->InfoText().c_str());
        documents.CloseDocument(*document);
    }
    return status;
}

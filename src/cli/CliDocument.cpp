// Opening image documents for the commands that work on them.
#include "cli/CliCommand.h"
#include "core/DocTemplate.h"
#include "platform/HeadlessPlatform.h"

#include <cstdio>

void ReportUnknownType(const std::string& command, const std::string& path, size_t reportedBefore) {
    if (Headless().Messages().size() == reportedBefore)
        std::fprintf(stderr, "%s:Unknown file type\n%s\n", command.c_str(), path.c_str());
}

int ForEachImageDocument(const CliArgs& paths, const std::string& command,
                         const std::function<void(const std::string&, CImageDoc&)>& show) {
    CDocTemplate documents;
    int status = kExitOk;
    for (const std::string& path : paths) {
        const size_t reported = Headless().Messages().size();
        CImageDoc* document = documents.OpenDocumentFile(path);
        if (!document) {
            ReportUnknownType(command, path, reported);
            status = kExitFailed;
            continue;
        }
        show(path, *document);
        documents.CloseDocument(*document);
    }
    return status;
}

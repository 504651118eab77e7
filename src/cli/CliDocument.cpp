// Opening and saving image documents for the commands that work on them.
#include "cli/CliCommand.h"
#include "cli/CliReports.h"
#include "core/DocTemplate.h"
#include "core/ImageDoc.h"
#include "platform/HeadlessPlatform.h"

size_t ReportsSoFar() {
    return CliReports().Count() + Headless().Messages().size();
}

void ReportUnknownType(const std::string& command, const std::string& path, size_t reportedBefore) {
    if (ReportsSoFar() == reportedBefore) ReportCliFailure(path, command + ":Unknown file type");
}

CImageDoc* OpenImageDocument(CDocTemplate& documents, const std::string& command,
                             const std::string& path) {
    CliReports().BeginFile(path);
    const size_t reported = ReportsSoFar();
    CImageDoc* document = documents.OpenDocumentFile(path);
    if (!document) ReportUnknownType(command, path, reported);
    return document;
}

bool SaveImageDocument(CImageDoc& document, const std::string& command, const std::string& path) {
    CliReports().BeginFile(path);
    const size_t reported = ReportsSoFar();
    if (document.OnSaveDocument(path)) return true;
    ReportUnknownType(command, path, reported);
    return false;
}

int ForEachImageDocument(const CliArgs& paths, const std::string& command,
                         const std::function<void(const std::string&, CImageDoc&)>& show) {
    CDocTemplate documents;
    int status = kExitOk;
    for (const std::string& path : paths) {
        CImageDoc* document = OpenImageDocument(documents, command, path);
        if (!document) {
            status = kExitFailed;
            continue;
        }
        show(path, *document);
        documents.CloseDocument(*document);
    }
    return status;
}

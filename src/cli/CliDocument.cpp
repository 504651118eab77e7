// Opening and saving image documents for the commands that work on them.
#include "base/FileExtension.h"
#include "base/HeadlessPlatform.h"
#include "cli/CliCommand.h"
#include "cli/CliReports.h"
#include "core/DocTemplate.h"
#include "core/ImageDoc.h"
#include "core/SourceMetadata.h"
#include "jpegtools/JpegMetadataCopy.h"

#include <cerrno>

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

namespace {

bool IsJpegPath(const std::string& path) {
    return FileTypeFromExtension(ExtensionOf(path)) == kTypeJpeg;
}

} // namespace

std::vector<std::string> SourceMetadata(bool keep, const std::string& in) {
    return keep ? ReadSourceMetadata(in) : std::vector<std::string>();
}

bool KeepMetadata(const std::string& command, const std::vector<std::string>& metadata,
                  const std::string& out) {
    CliReports().BeginFile(out);
    if (metadata.empty() || !IsJpegPath(out) || InsertJpegMetadata(out, metadata)) return true;
    ReportCliFailure(out, command + ":Cannot write", errno);
    return false;
}

int ForEachImageDocument(const CliArgs& paths, const std::string& command,
                         const std::function<void(const std::string&, CImageDoc&)>& show) {
    CDocTemplate documents(AppSettings());
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

// Opening image documents for the commands that work on them.
#include "cli/CliCommand.h"
#include "core/DocTemplate.h"
#include "platform/HeadlessPlatform.h"

#include <cstdio>

CImageDoc* OpenImageDocument(CDocTemplate& documents, const std::string& command,
                             const std::string& path) {
    const size_t reported = Headless().Messages().size();
    CImageDoc* document = documents.OpenDocumentFile(path);
    if (!document && Headless().Messages().size() == reported)
        std::fprintf(stderr, "%s:Unknown file type\n%s\n", command.c_str(), path.c_str());
    return document;
}

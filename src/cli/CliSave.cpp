// Saving image documents for the commands that write them.
#include "cli/CliCommand.h"
#include "core/ImageDoc.h"
#include "platform/HeadlessPlatform.h"

#include <cstdio>

bool SaveImageDocument(CImageDoc& document, const std::string& command, const std::string& path) {
    const size_t reported = Headless().Messages().size();
    if (document.OnSaveDocument(path)) return true;
    if (Headless().Messages().size() == reported)
        std::fprintf(stderr, "%s:Unknown file type\n%s\n", command.c_str(), path.c_str());
    return false;
}

// convert [-v] IN OUT: opens IN and saves it as OUT, the format chosen by OUT's extension.
#include "cli/CliCommand.h"
#include "core/DocTemplate.h"
#include "platform/HeadlessPlatform.h"

#include <cstdio>

int RunConvertCommand(SettingsStore&, const CliArgs& arguments) {
    CliArgs args = arguments;
    const bool verbose = TakeFlag(args, "-v");
    if (args.size() != 2) return UsageError("convert: give IN and OUT");
    CDocTemplate documents;
    size_t reported = Headless().Messages().size();
    CImageDoc* document = documents.OpenDocumentFile(args[0]);
    if (!document) {
        ReportUnknownType("convert", args[0], reported);
        return kExitFailed;
    }
    reported = Headless().Messages().size();
    if (!document->OnSaveDocument(args[1])) {
        ReportUnknownType("convert", args[1], reported);
        return kExitFailed;
    }
    if (verbose) std::printf("%s\n", document->InfoText().c_str());
    return kExitOk;
}

// jpeg IN OUT: the JPEG conversion command: writes OUT as the conversion's temporary file is
// written, with the format values in effect, and prints the conversion label.
#include "cli/CliCommand.h"
#include "core/DocTemplate.h"
#include "core/ImageWriteOptions.h"
#include "core/JpegConvert.h"
#include "core/JpegWrite.h"
#include "core/OutputFiles.h"
#include "platform/HeadlessPlatform.h"

#include <cstdio>

int RunJpegCommand(SettingsStore& settings, const CliArgs& args) {
    if (args.size() != 2) return UsageError("jpeg: give IN and OUT");
    CDocTemplate documents;
    const size_t reported = Headless().Messages().size();
    CImageDoc* document = documents.OpenDocumentFile(args[0]);
    if (!document) {
        ReportUnknownType("jpeg", args[0], reported);
        return kExitFailed;
    }
    COutputFiles output;
    ImageFacts written = document->Facts();
    if (!SaveJpegFile(*document, ImageWriteOptions::FromSettings(settings), written, output,
                      args[1]) ||
        !output.Commit("SaveJpegFile"))
        return kExitFailed;
    std::printf("%s\n", ConversionLabel(settings, document->UsesCustomDqt()).c_str());
    return kExitOk;
}

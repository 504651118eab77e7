// convert [-v] [--in-place] IN OUT: opens IN and saves it as OUT, the format chosen by OUT's
// extension; -v (taken by main) prints the written file's description.
#include "cli/CliCommand.h"
#include "cli/CliOptions.h"
#include "cli/CliStdio.h"
#include "core/DocTemplate.h"
#include "core/ImageDoc.h"

#include <cstdio>

int RunConvertCommand(SettingsStore& settings, const CliArgs& arguments) {
    CliArgs args = arguments;
    const bool inPlace = TakeFlag(args, "--in-place");
    const bool keepMetadata = TakeFlag(args, "--keep-metadata");
    if (!TakeJpegOptions(args, settings, "convert") || !FinishOptions(args, "convert"))
        return kExitUsage;
    if (args.size() != 2) return UsageError("convert: give IN and OUT");
    CStdioFiles stdio;
    if (int status = stdio.Bind("convert", args[0], &args[1]); status != kExitOk) return status;
    if (!AllowsOverwrite("convert", args, inPlace)) return kExitUsage;
    const std::vector<std::string> metadata = SourceMetadata(keepMetadata, args[0]);
    CDocTemplate documents(settings);
    CImageDoc* document = OpenImageDocument(documents, "convert", args[0]);
    if (!document || !SaveImageDocument(*document, "convert", args[1]) ||
        !KeepMetadata("convert", metadata, args[1]))
        return kExitFailed;
    if (OutputMode().verbose && !stdio.WritesStdout())
        std::printf("%s\n", document->InfoText().c_str());
    return stdio.Finish("convert") ? kExitOk : kExitFailed;
}

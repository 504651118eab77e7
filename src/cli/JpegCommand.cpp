// jpeg [--in-place] IN OUT: the JPEG conversion command: writes OUT as the conversion's temporary
// file is written, with the format values in effect, and prints the conversion label.
#include "cli/CliCommand.h"
#include "cli/CliOptions.h"
#include "cli/CliReports.h"
#include "cli/CliStdio.h"
#include "core/DocTemplate.h"
#include "core/ImageWriteOptions.h"
#include "core/JpegConvert.h"
#include "core/JpegWrite.h"
#include "core/OutputFiles.h"

#include <cstdio>

int RunJpegCommand(SettingsStore& settings, const CliArgs& arguments) {
    CliArgs args = arguments;
    const bool inPlace = TakeFlag(args, "--in-place");
    const bool keepMetadata = TakeFlag(args, "--keep-metadata");
    if (!TakeJpegOptions(args, settings, "jpeg") || !FinishOptions(args, "jpeg")) return kExitUsage;
    if (args.size() != 2) return UsageError("jpeg: give IN and OUT");
    CStdioFiles stdio;
    if (int status = stdio.Bind("jpeg", args[0], &args[1], ".jpg"); status != kExitOk)
        return status;
    if (!AllowsOverwrite("jpeg", args, inPlace)) return kExitUsage;
    const std::vector<std::string> metadata = SourceMetadata(keepMetadata, args[0]);
    CDocTemplate documents(settings);
    CImageDoc* document = OpenImageDocument(documents, "jpeg", args[0]);
    if (!document) return kExitFailed;
    CliReports().BeginFile(args[1]);
    COutputFiles output;
    ImageFacts written = document->Facts();
    if (!SaveJpegFile(document->SaveRequest(ImageWriteOptions::FromSettings(settings)), written,
                      output, args[1]) ||
        !output.Commit("SaveJpegFile") || !KeepMetadata("jpeg", metadata, args[1]) ||
        !stdio.Finish("jpeg"))
        return kExitFailed;
    // Standard output carrying the file carries nothing else.
    if (!stdio.WritesStdout())
        std::printf("%s\n", ConversionLabel(settings, document->UsesCustomDqt()).c_str());
    return kExitOk;
}

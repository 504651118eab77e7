// ycbcr IN OUTBASE: separates IN into its Y, Cb and Cr planes and writes them as 8-bit grey
// BMP files OUTBASE[Y].bmp, OUTBASE[Cb].bmp and OUTBASE[Cr].bmp; prints the three paths.
#include "cli/CliCommand.h"
#include "cli/CliStdio.h"
#include "core/DocTemplate.h"
#include "imageops/YCbCrSeparation.h"

#include <cstdio>

int RunYCbCrCommand(SettingsStore& settings, const CliArgs& arguments) {
    CliArgs args = arguments;
    if (!FinishOptions(args, "ycbcr")) return kExitUsage;
    if (args.size() != 2) return UsageError("ycbcr: give IN and OUTBASE");
    CStdioFiles stdio;
    if (int status = stdio.Bind("ycbcr", args[0], nullptr); status != kExitOk) return status;
    CDocTemplate documents(settings);
    CImageDoc* source = OpenImageDocument(documents, "ycbcr", args[0]);
    if (!source) return kExitFailed;
    const std::string sourceTitle = source->Title();
    std::vector<CImageDoc*> planes = SeparateYCbCr(*source, documents);
    if (planes.size() != 3) return kExitFailed;
    for (CImageDoc* plane : planes) {
        // The title is the source's followed by "[Y]", "[Cb]" or "[Cr]".
        const std::string path = args[1] + plane->Title().substr(sourceTitle.size()) + ".bmp";
        if (!SaveImageDocument(*plane, "ycbcr", path)) return kExitFailed;
        std::printf("%s\n", path.c_str());
    }
    return kExitOk;
}

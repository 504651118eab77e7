// resize [--in-place] IN OUT WIDTHxHEIGHT: opens IN, scales its picture and saves it as OUT.
#include "cli/CliCommand.h"
#include "cli/CliNumber.h"
#include "cli/CliStdio.h"
#include "core/DocTemplate.h"
#include "imageops/ResizeDocument.h"

namespace {

// "WIDTHxHEIGHT": two decimal numbers from 1 up.
bool ParseSize(const std::string& text, uint32_t& width, uint32_t& height) {
    const size_t cross = text.find_first_of("xX");
    return cross != std::string::npos &&
           ParseNumber(text.substr(0, cross), 1u, UINT32_MAX, width) &&
           ParseNumber(text.substr(cross + 1), 1u, UINT32_MAX, height);
}

} // namespace

int RunResizeCommand(SettingsStore& settings, const CliArgs& arguments) {
    CliArgs args = arguments;
    const bool inPlace = TakeFlag(args, "--in-place");
    if (!FinishOptions(args, "resize")) return kExitUsage;
    uint32_t width = 0, height = 0;
    if (args.size() != 3) return UsageError("resize: give IN, OUT and WIDTHxHEIGHT");
    if (!ParseSize(args[2], width, height))
        return UsageError("resize: the size is written WIDTHxHEIGHT, each from 1 up, e.g. 640x480");
    CStdioFiles stdio;
    if (int status = stdio.Bind("resize", args[0], &args[1]); status != kExitOk) return status;
    if (!AllowsOverwrite("resize", args, inPlace)) return kExitUsage;
    CDocTemplate documents(settings);
    CImageDoc* document = OpenImageDocument(documents, "resize", args[0]);
    if (!document || !Resize(*document, width, height)) return kExitFailed;
    return SaveImageDocument(*document, "resize", args[1]) && stdio.Finish("resize") ? kExitOk
                                                                                     : kExitFailed;
}

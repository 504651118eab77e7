// gamma [--in-place] IN OUT [--gamma G] [--contrast C] [--bias B]: applies the gamma/contrast/bias
// transfer with the limits of the dialog (γ 0.01 to 4.99, contrast and bias -255 to 255).
#include "base/GammaTable.h"
#include "cli/CliCommand.h"
#include "cli/CliNumber.h"
#include "cli/CliStdio.h"
#include "core/DocTemplate.h"
#include "imageops/GammaDocument.h"
#include "imageops/LevelTable.h"

#include <sstream>

namespace {

// Reads "--name VALUE" into value when present; false after a usage message.
template <typename Number>
bool TakeNumber(CliArgs& args, const std::string& name, Number low, Number high, Number& value) {
    std::string text;
    bool present = false;
    if (!TakeOption(args, name, text, present)) return false;
    if (!present || ParseNumber(text, low, high, value)) return true;
    std::ostringstream message;
    message << "gamma: " << name << " takes a number from " << low << " to " << high;
    UsageError(message.str());
    return false;
}

} // namespace

int RunGammaCommand(SettingsStore& settings, const CliArgs& arguments) {
    CliArgs args = arguments;
    double gamma = 1.0;
    int contrast = 0, bias = 0;
    if (!TakeNumber(args, "--gamma", 0.01, 4.99, gamma) ||
        !TakeNumber(args, "--contrast", -255, 255, contrast) ||
        !TakeNumber(args, "--bias", -255, 255, bias))
        return kExitUsage;
    const bool inPlace = TakeFlag(args, "--in-place");
    if (!FinishOptions(args, "gamma")) return kExitUsage;
    if (args.size() != 2) return UsageError("gamma: give IN and OUT");
    CStdioFiles stdio;
    if (int status = stdio.Bind("gamma", args[0], &args[1]); status != kExitOk) return status;
    if (!AllowsOverwrite("gamma", args, inPlace)) return kExitUsage;
    int gammaTable[256], levelTable[256];
    BuildGammaTable(gammaTable, gamma);
    BuildLevelTable(levelTable, contrast, bias);
    CDocTemplate documents(settings);
    CImageDoc* document = OpenImageDocument(documents, "gamma", args[0]);
    if (!document || !ApplyGamma(*document, gammaTable, levelTable)) return kExitFailed;
    return SaveImageDocument(*document, "gamma", args[1]) && stdio.Finish("gamma") ? kExitOk
                                                                                   : kExitFailed;
}

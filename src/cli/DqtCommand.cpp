// dqt [--quality N] [--load FILE] [--save FILE]: makes or loads a table pair and prints it.
#include "cli/CliCommand.h"
#include "cli/CliReports.h"
#include "jpegtools/DqtFile.h"
#include "jpegtools/QuantTablePair.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

bool ParseQuality(const std::string& text, int& quality) {
    char* end = nullptr;
    long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || value < 0 || value > 100) return false;
    quality = static_cast<int>(value);
    return true;
}

void PrintPair(const QuantTablePair& pair) {
    std::fputs(FormatDQT(pair.data(), "\n").c_str(), stdout);
    std::printf("Qf=%s\nQf=%s\n", QualityTextOf(pair.data()).c_str(),
                QualityTextOf(pair.data() + 64).c_str());
}

} // namespace

int RunDqtCommand(SettingsStore& settings, const CliArgs& arguments) {
    CliArgs args = arguments;
    std::string qualityText, loadPath, savePath;
    bool hasQuality = false, hasLoad = false, hasSave = false;
    if (!TakeOption(args, "--quality", qualityText, hasQuality) ||
        !TakeOption(args, "--load", loadPath, hasLoad) ||
        !TakeOption(args, "--save", savePath, hasSave))
        return kExitUsage;
    if (!FinishOptions(args, "dqt")) return kExitUsage;
    if (!args.empty()) return UsageError("dqt: unexpected argument '" + args[0] + "'");
    if (hasQuality && hasLoad) return UsageError("dqt: --quality and --load exclude each other");

    QuantTablePair pair = settings.customTables;
    if (hasQuality) {
        int quality = 0;
        if (!ParseQuality(qualityText, quality))
            return UsageError("dqt: --quality takes a number from 0 to 100");
        pair = MakeQualityTablePair(quality);
    }
    if (hasLoad) {
        // As the table dialog loads: 64 values replace table 0, 128 both tables.
        CliReports().BeginFile(loadPath);
        QuantTablePair loaded{};
        int count = LoadDQT(loadPath, loaded.data());
        if (count < 0) return kExitFailed;
        if (count < 64) {
            ReportCliFailure(loadPath, "LoadDQT:" + std::to_string(count) +
                                           " values, fewer than the 64 of a table");
            return kExitFailed;
        }
        int replaced = count >= 128 ? 128 : 64;
        std::copy(loaded.begin(), loaded.begin() + replaced, pair.begin());
    }
    if (hasSave) CliReports().BeginFile(savePath);
    if (hasSave && SaveDQT(savePath, pair.data()) < 0) return kExitFailed;
    PrintPair(pair);
    return kExitOk;
}

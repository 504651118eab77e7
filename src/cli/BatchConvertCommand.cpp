// batch-convert SRC DST: the batch conversion over a tree, with the options of section
// "bulkconv" (and --set bulkconv.Key=Value); --fast is bulkconv.FastShrink=1.
#include "batch/BulkConvSettings.h"
#include "batch/ConversionTask.h"
#include "cli/CliCommand.h"
#include "core/DocTemplate.h"

int RunBatchConvertCommand(SettingsStore& settings, const CliArgs& arguments) {
    CliArgs args = arguments;
    int workers = 1;
    const bool fast = TakeFlag(args, "--fast");
    const bool recursive = TakeRecursiveOption(args);
    if (!TakeWorkersOption(args, workers) || !FinishOptions(args, "batch-convert"))
        return kExitUsage;
    if (args.size() != 2) return UsageError("batch-convert: give SRC and DST");
    BulkConvSettings conversion = LoadBulkConvSettings(settings.profile);
    conversion.srcDirectory = args[0];
    conversion.dstDirectory = args[1];
    if (fast) conversion.fastShrink = 1;
    if (recursive) conversion.recurseDir = 1;
    CDocTemplate documents;
    CConversionTask task(conversion, documents);
    return RunCliBatch(task, workers);
}

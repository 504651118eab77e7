// batch-convert SRC DST: the batch conversion over a tree, with the options of section
// "bulkconv" (and --set bulkconv.Key=Value); --fast is bulkconv.FastShrink=1.
#include "batch/BulkConvSettings.h"
#include "batch/ConversionTask.h"
#include "cli/CliCommand.h"
#include "core/DocTemplate.h"

int RunBatchConvertCommand(SettingsStore& settings, const CliArgs& arguments) {
    CliArgs args = arguments;
    const bool fast = TakeFlag(args, "--fast");
    const bool recursive = TakeRecursiveOption(args);
    CliBatchRun run;
    if (!TakeBatchRun(args, "batch-convert", false, run)) return kExitUsage;
    BulkConvSettings conversion = LoadBulkConvSettings(settings.profile);
    conversion.srcDirectory = run.source;
    conversion.dstDirectory = run.destination;
    PlaceBatchLog(run, conversion);
    if (fast) conversion.fastShrink = 1;
    if (recursive) conversion.recurseDir = 1;
    CDocTemplate documents(settings);
    CConversionTask task(conversion, documents);
    return RunCliBatch(task, run);
}

// filter SRC DST: the batch filter over a tree, with the settings of section "bulkfilter".
#include "batch/BulkFltSettings.h"
#include "batch/FilterTask.h"
#include "cli/CliCommand.h"

int RunFilterCommand(SettingsStore& settings, const CliArgs& arguments) {
    CliArgs args = arguments;
    int workers = 1;
    const bool recursive = TakeRecursiveOption(args);
    if (!TakeWorkersOption(args, workers) || !FinishOptions(args, "filter")) return kExitUsage;
    if (args.size() != 2) return UsageError("filter: give SRC and DST");
    BulkFltSettings filter = LoadBulkFltSettings(settings.profile);
    filter.srcDirectory = args[0];
    filter.dstDirectory = args[1];
    if (recursive) filter.recurseDir = 1;
    CFilterTask task(settings, filter);
    return RunCliBatch(task, workers);
}

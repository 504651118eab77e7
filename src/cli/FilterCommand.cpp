// filter SRC DST: the batch filter over a tree, with the settings of section "bulkfilter".
// Filtering a folder into itself rewrites the originals, so it takes --in-place.
#include "batch/BulkFltSettings.h"
#include "batch/FilterTask.h"
#include "cli/CliCommand.h"

int RunFilterCommand(SettingsStore& settings, const CliArgs& arguments) {
    CliArgs args = arguments;
    const bool recursive = TakeRecursiveOption(args);
    CliBatchRun run;
    if (!TakeBatchRun(args, "filter", true, run)) return kExitUsage;
    if (!run.inPlace && IsSameFile(run.source, run.destination))
        return UsageError("filter: SRC and DST are one folder; --in-place rewrites its files");
    BulkFltSettings filter = LoadBulkFltSettings(settings.profile);
    filter.srcDirectory = run.source;
    filter.dstDirectory = run.destination;
    PlaceBatchLog(run, filter);
    if (recursive) filter.recurseDir = 1;
    CFilterTask task(settings, filter);
    return RunCliBatch(task, run);
}

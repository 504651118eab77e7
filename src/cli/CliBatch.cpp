// Running a batch command from the command line: the profile section stands in for the
// settings dialog, the terminal for the progress window, stdout for the final message.
#include "batch/BatchCommand.h"
#include "batch/BatchPaths.h"
#include "cli/CliCommand.h"
#include "cli/CliDryRun.h"
#include "cli/CliMessages.h"
#include "cli/CliNumber.h"
#include "cli/CliOptions.h"
#include "cli/CliReports.h"
#include "cli/TerminalProgress.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class CCliFrontEnd : public IBatchFrontEnd {
public:
    CCliFrontEnd(CTerminalProgress& progress, int workers)
        : progress_(progress), workers_(workers) {}
    bool EditSettings() override { return true; }
    int Workers() const override { return workers_; }
    IBatchProgress* OpenProgress() override { return &progress_; }
    // The count on stdout, after "Interrupted: " when Ctrl+C ended the run, then how many
    // failed (each was reported on stderr as it came).
    void ShowSummary(const BatchResult& result) override {
        progress_.Clear();
        if (OutputMode().quiet) return;
        std::string summary = Localized(result.summary);
        if (result.outcome == BatchOutcome::Cancelled) summary = InterruptedNote() + ": " + summary;
        if (!summary.empty()) std::printf("%s\n", summary.c_str());
        if (!result.failureHeadline.empty())
            std::printf("%s\n", Localized(result.failureHeadline).c_str());
    }

private:
    CTerminalProgress& progress_;
    int workers_;
};

// Most files processed at once that -j takes.
constexpr int kMostWorkers = 256;

bool IsDirectory(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// DST and its parents, as "mkdir -p" makes them; false after a report. Nothing is made for a
// source that is no folder: the run reports that instead.
bool MakeDestination(const CliBatchRun& run, const std::string& reportName) {
    if (!IsDirectory(run.source) || IsDirectory(run.destination)) return true;
    std::error_code error;
    std::filesystem::create_directories(run.destination, error);
    if (!error && IsDirectory(run.destination)) return true;
    ReportCliFailure(run.destination, reportName + ":Cannot make the folder",
                     error ? error.value() : ENOTDIR);
    return false;
}

} // namespace

bool TakeRecursiveOption(CliArgs& args) {
    return TakeAnyFlag(args, {"-r", "--recursive"});
}

bool TakeWorkersOption(CliArgs& args, int& workers) {
    const long online = sysconf(_SC_NPROCESSORS_ONLN);
    workers = static_cast<int>(std::clamp<long>(online, 1, kMostWorkers));
    for (const char* name : {"-j", "--jobs"}) {
        std::string value;
        bool present = false;
        if (!TakeOption(args, name, value, present)) return false;
        if (present && !ParseNumber(value, 1, kMostWorkers, workers)) {
            UsageError(std::string(name) + " takes a number of files from 1 to " +
                       std::to_string(kMostWorkers));
            return false;
        }
    }
    return true;
}

bool TakeBatchRun(CliArgs& args, const std::string& command, bool allowInPlace, CliBatchRun& run) {
    bool logGiven = false;
    run.dryRun = TakeFlag(args, "--dry-run");
    run.inPlace = allowInPlace && TakeFlag(args, "--in-place");
    if (!TakeWorkersOption(args, run.workers) || !TakeOption(args, "--log", run.log, logGiven) ||
        !FinishOptions(args, command))
        return false;
    if (logGiven && run.log.empty()) {
        UsageError(command + ": --log needs a file name");
        return false;
    }
    if (args.size() != 2) {
        UsageError(command + ": give SRC and DST");
        return false;
    }
    run.source = args[0];
    run.destination = args[1];
    return true;
}

std::string BatchLogPath(const CliBatchRun& run, const std::string& sectionLogPath) {
    return run.log.empty() ? LogPathInFolder(run.destination, sectionLogPath) : run.log;
}

int RunCliBatch(IBatchTask& task, const CliBatchRun& run) {
    if (!run.dryRun && !MakeDestination(run, task.ReportName())) return kExitFailed;
    CDryRunTask dryRun(task);
    IBatchTask& ran = run.dryRun ? static_cast<IBatchTask&>(dryRun) : task;
    CTerminalProgress progress(!run.dryRun && isatty(STDERR_FILENO) != 0 && !OutputMode().quiet);
    CCliFrontEnd frontEnd(progress, run.workers);
    CliReports().BeginFile("");
    const BatchResult result = RunBatchCommand(ran, frontEnd);
    if (result.logError != 0)
        ReportCliFailure(result.logPath,
                         task.ReportName() + ":" + LoadString(StringId::LogNotWritten),
                         result.logError);
    if (result.outcome == BatchOutcome::Cancelled) return kExitInterrupted;
    const bool clean = result.failures == 0 && result.logError == 0;
    return result.outcome == BatchOutcome::Completed && clean ? kExitOk : kExitFailed;
}

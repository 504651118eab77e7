// Running a batch command from the command line: the profile section stands in for the
// settings dialog, the terminal for the progress window, stdout for the final message.
#include "batch/BatchCommand.h"
#include "cli/CliCommand.h"
#include "cli/CliNumber.h"
#include "cli/CliOptions.h"
#include "cli/CliReports.h"
#include "cli/TerminalProgress.h"

#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace {

class CCliFrontEnd : public IBatchFrontEnd {
public:
    CCliFrontEnd(CTerminalProgress& progress, int workers)
        : progress_(progress), workers_(workers) {}
    bool EditSettings() override { return true; }
    int Workers() const override { return workers_; }
    IBatchProgress* OpenProgress() override { return &progress_; }
    // The count on stdout; failures were reported as they came, their number follows on stderr.
    void ShowSummary(const BatchResult& result) override {
        progress_.Clear();
        if (!OutputMode().quiet) std::printf("%s\n", result.summary.c_str());
    }

private:
    CTerminalProgress& progress_;
    int workers_;
};

// Most files processed at once that -j takes.
constexpr int kMostWorkers = 256;

} // namespace

std::string FailureCountLine(int failures) {
    return std::to_string(failures) + (failures == 1 ? " file failed" : " files failed");
}

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

int RunCliBatch(IBatchTask& task, int workers) {
    CTerminalProgress progress(isatty(STDERR_FILENO) != 0 && !OutputMode().quiet);
    CCliFrontEnd frontEnd(progress, workers);
    CliReports().BeginFile("");
    const BatchResult result = RunBatchCommand(task, frontEnd);
    if (result.logError != 0)
        ReportCliFailure(result.logPath,
                         task.ReportName() + ":" + LoadString(StringId::LogNotWritten),
                         result.logError);
    if (result.failures > 0 && !OutputMode().quiet)
        std::fprintf(stderr, "%s\n", FailureCountLine(result.failures).c_str());
    if (result.outcome == BatchOutcome::Cancelled) return kExitInterrupted;
    const bool clean = result.failures == 0 && result.logError == 0;
    return result.outcome == BatchOutcome::Completed && clean ? kExitOk : kExitFailed;
}

// Running a batch command from the command line: the profile section stands in for the
// settings dialog, the terminal for the progress window, stdout for the final message.
#include "batch/BatchCommand.h"
#include "cli/CliCommand.h"
#include "cli/CliReports.h"
#include "cli/TerminalProgress.h"

#include <cstdio>
#include <unistd.h>

namespace {

class CCliFrontEnd : public IBatchFrontEnd {
public:
    explicit CCliFrontEnd(CTerminalProgress& progress) : progress_(progress) {}
    bool EditSettings() override { return true; }
    IBatchProgress* OpenProgress() override { return &progress_; }
    void ShowSummary(const std::string& text) override {
        progress_.Clear();
        std::printf("%s\n", text.c_str());
    }

private:
    CTerminalProgress& progress_;
};

} // namespace

std::string FailureCountLine(int failures) {
    return std::to_string(failures) + (failures == 1 ? " file failed" : " files failed");
}

int RunCliBatch(IBatchTask& task) {
    CTerminalProgress progress(isatty(STDERR_FILENO) != 0);
    CCliFrontEnd frontEnd(progress);
    CliReports().BeginFile("");
    const BatchResult result = RunBatchCommand(task, frontEnd);
    if (result.failures > 0)
        std::fprintf(stderr, "%s\n", FailureCountLine(result.failures).c_str());
    if (result.outcome == BatchOutcome::Cancelled) return kExitInterrupted;
    return result.outcome == BatchOutcome::Completed && result.failures == 0 ? kExitOk
                                                                             : kExitFailed;
}

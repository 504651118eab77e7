#include "cli/CliBatch.h"

#include "batch/BatchCommand.h"
#include "cli/CliCommand.h"
#include "cli/TerminalProgress.h"

#include <cstdio>

namespace {

class CCliBatchFrontEnd : public IBatchFrontEnd {
public:
    bool EditSettings() override { return true; }
    IBatchProgress* OpenProgress() override { return &progress_; }
    void ShowSummary(const std::string& text) override {
        std::printf("%s\n", text.c_str());
        std::fflush(stdout);
    }

private:
    CTerminalProgress progress_;
};

} // namespace

int RunCliBatch(IBatchTask& task) {
    CCliBatchFrontEnd frontEnd;
    const BatchResult result = RunBatchCommand(task, frontEnd);
    const bool handledAll = result.outcome == BatchOutcome::Completed && result.failures == 0;
    return handledAll ? kExitOk : kExitFailed;
}

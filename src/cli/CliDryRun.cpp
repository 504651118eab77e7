#include "cli/CliDryRun.h"

#include <cstdio>

namespace {

class ListingWorker : public IBatchWorker {
public:
    bool ProcessFile(CBatchFile& file) override {
        file.Later([line = file.SourcePath() + " → " + file.DestinationPath()](CBatchJob&) {
            std::printf("%s\n", line.c_str());
        });
        return true;
    }
};

} // namespace

void CDryRunTask::Configure(CBatchJob& job) {
    task_.Configure(job);
    job.planOnly = true;
}

bool CDryRunTask::Run(CBatchJob& job) {
    if (!job.BeginProcessing()) return false;
    job.ProcessTree();
    return true;
}

std::unique_ptr<IBatchWorker> CDryRunTask::NewWorker(int) {
    return std::make_unique<ListingWorker>();
}

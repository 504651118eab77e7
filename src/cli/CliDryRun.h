#pragma once
// --dry-run of the batch commands: the walk of the task it stands for, with every file listed
// on stdout as "source → output" instead of processed. No folder is made, no log opened, no
// file written; a destination that does not exist yet is fine.
#include "batch/BatchJob.h"

class CDryRunTask : public IBatchTask {
public:
    explicit CDryRunTask(IBatchTask& task) : task_(task) {}

    std::string ReportName() const override { return task_.ReportName(); }
    void Configure(CBatchJob& job) override;
    bool Run(CBatchJob& job) override;
    std::string OutputName(const std::string& name) const override {
        return task_.OutputName(name);
    }
    std::unique_ptr<IBatchWorker> NewWorker(int index) override;
    // The list is the output: no summary line follows it.
    std::string Summary(const CBatchJob&) const override { return ""; }

private:
    IBatchTask& task_;
};

#pragma once
// The batch filter: the lossless JPEG filters applied to every selected file of a source tree,
// written into the mirrored destination tree, with the bytes saved summed up for the summary.
#include "batch/BatchJob.h"
#include "batch/BulkFltSettings.h"

#include <memory>

struct SettingsStore;

class CFilterTask : public IBatchTask {
public:
    // `settings` supplies TempDir and the comment write charset; `filter` the run's choices.
    CFilterTask(const SettingsStore& settings, const BulkFltSettings& filter)
        : settings_(settings), filter_(filter) {}

    std::string ReportName() const override { return "BulkFlt"; }
    void Configure(CBatchJob& job) override;
    // The processing stage (RunFilter): checks the roots, opens the log when asked, walks.
    bool Run(CBatchJob& job) override;
    // "a.JPEG" -> "a.jpg": everything from the last "." replaced, or ".jpg" appended.
    std::string OutputName(const std::string& name) const override;
    std::unique_ptr<IBatchWorker> NewWorker(int index) override;
    // The count, then "(%ld バイトの削減)" with the bytes saved.
    std::string Summary(const CBatchJob& job) const override;

private:
    const SettingsStore& settings_;
    BulkFltSettings filter_;
};

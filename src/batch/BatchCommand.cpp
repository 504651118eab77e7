#include "batch/BatchCommand.h"

#include "app/util/ReportError.h"
#include "app/util/StringTable.h"
#include "platform/Platform.h"

namespace {

// Counting and processing, with the progress window shown.
BatchOutcome RunJob(CBatchJob& job, IBatchTask& task, IBatchProgress& progress) {
    progress.SetStatus(LoadString(StringId::SearchingFiles));
    progress.SetRange(0);
    job.ResetCount();
    job.ResetCancel();
    if (job.CountFiles(job.sourceDirectory) < 0) {
        // Said plainly instead of reporting that no file was processed.
        ReportErrorId(task.ReportName(), job.sourceDirectory, StringId::NoSourceFolder);
        return BatchOutcome::Failed;
    }
    if (job.Cancelled()) return BatchOutcome::Cancelled;
    if (job.Total() == 0) return BatchOutcome::Completed;
    progress.SetStatus(LoadString(StringId::ProcessingFiles));
    progress.SetRange(job.Total());
    if (!task.Run(job)) return BatchOutcome::Failed;
    return job.Cancelled() ? BatchOutcome::Cancelled : BatchOutcome::Completed;
}

} // namespace

void IBatchFrontEnd::ShowSummary(const std::string& text) {
    Platform().ShowMessage(text, MessageKind::Information, Buttons::Ok);
}

BatchResult RunBatchCommand(IBatchTask& task, IBatchFrontEnd& frontEnd) {
    BatchResult result;
    if (!frontEnd.EditSettings()) return result;
    CBatchJob job(task);
    task.Configure(job);
    job.workers = frontEnd.Workers();
    IBatchProgress* progress = frontEnd.OpenProgress();
    if (!progress) return result;
    job.SetProgress(progress);
    frontEnd.EnableMainWindow(false);
    result.outcome = RunJob(job, task, *progress);
    result.total = job.Total();
    result.count = job.Count();
    result.failures = job.Failures();
    result.summary = task.Summary(job);
    frontEnd.ShowSummary(result.summary);
    frontEnd.EnableMainWindow(true);
    frontEnd.CloseProgress();
    return result;
}

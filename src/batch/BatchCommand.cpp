#include "batch/BatchCommand.h"

#include "base/Platform.h"
#include "base/ReportError.h"
#include "base/StringTable.h"

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

// The job's summary, its failures and the fate of its log.
void Conclude(const CBatchJob& job, const IBatchTask& task, BatchResult& result) {
    result.total = job.Total();
    result.count = job.Count();
    result.failures = job.Failures().Count();
    result.failedFiles = job.Failures().Files();
    result.summary = task.Summary(job);
    result.logPath = job.Log().Path();
    result.logError = job.Log().WriteError();
    result.failureText = job.Failures().SummaryText(result.logPath, result.logError);
    result.failureHeadline =
        job.Failures().Headline(result.logError == 0 ? result.logPath : std::string());
}

} // namespace

void IBatchFrontEnd::ShowSummary(const BatchResult& result) {
    const bool failed = !result.failureText.empty();
    Platform().ShowMessage(failed ? result.summary + "\n" + result.failureText : result.summary,
                           failed ? MessageKind::Warning : MessageKind::Information, Buttons::Ok);
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
    Conclude(job, task, result);
    frontEnd.ShowSummary(result);
    frontEnd.EnableMainWindow(true);
    frontEnd.CloseProgress();
    return result;
}

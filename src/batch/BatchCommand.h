#pragma once
// The run of a batch command, from its settings dialog to its final report: settings, progress
// window, counting pass, processing, summary.
#include "batch/BatchJob.h"

#include <string>

enum class BatchOutcome {
    NotRun,    // the settings were cancelled or no progress window could be shown
    Completed, // every file found was handed to processing (failures are in the log)
    Cancelled, // aborted by the user, in the search or in processing
    Failed,    // the source root could not be read, or processing could not start (reported)
};

struct BatchResult {
    BatchOutcome outcome = BatchOutcome::NotRun;
    int total = 0;       // files found by the counting pass
    int count = 0;       // files handed to processing (those found, when the search was aborted)
    int failures = 0;    // files and folders that failed
    int failedFiles = 0; // of the files handed to processing
    std::string summary; // "%d 個のファイルを処理しました" (the filter adds the bytes saved)
    // The lines that follow the summary when something failed: the failures and where to read
    // about them, or the first of them with their paths when no complete log holds them.
    std::string failureText;
    // Its first line alone: "うち 2 個は失敗しました(ログ: PATH)"; empty without failures.
    std::string failureHeadline;
    std::string logPath; // the log written, "" when none
    int logError = 0;    // the system's error number of a log write that failed
};

// What the run needs from the front end that starts it (the GUI's dialogs and windows, or the
// CLI's profile section and terminal).
class IBatchFrontEnd {
public:
    virtual ~IBatchFrontEnd() = default;
    // The task's settings dialog, shown modally; false when it was not closed with OK.
    virtual bool EditSettings() = 0;
    // Shows the progress window centred over the main window; null when it cannot be shown,
    // which ends the command without a message.
    virtual IBatchProgress* OpenProgress() = 0;
    virtual void CloseProgress() {}
    // The main window takes no input while the job runs.
    virtual void EnableMainWindow(bool) {}
    // The final report; a message (a warning when something failed) with the summary and the
    // failures, unless the front end shows it otherwise.
    virtual void ShowSummary(const BatchResult& result);
    // Files processed at once (the GUI handles one at a time, events between files).
    virtual int Workers() const { return 1; }
};

BatchResult RunBatchCommand(IBatchTask& task, IBatchFrontEnd& frontEnd);

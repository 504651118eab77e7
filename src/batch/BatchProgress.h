#pragma once
// What a batch run tells the person waiting for it, and how it learns that it must stop. The
// GUI's progress window and the CLI's terminal line implement it.
#include "batch/BatchFailures.h"

#include <string>

class IBatchProgress {
public:
    virtual ~IBatchProgress() = default;
    // The status line: searching for files, or processing them.
    virtual void SetStatus(const std::string& text) = 0;
    // The counter line: "12" while searching, "12 / 50" while processing.
    virtual void SetCounter(const std::string& text) = 0;
    // The directory being searched, or the file being processed.
    virtual void SetPath(const std::string& text) = 0;
    // The bar goes from 0 to total and stands at 0.
    virtual void SetRange(int total) = 0;
    // The bar advances by one file.
    virtual void Step() = 0;
    // Handles at most one pending event (painting, the abort button); false when the user has
    // aborted or the application must stop.
    virtual bool KeepGoing() = 0;
    // A file or directory failed; message is the log's error text ("[Can't open file : ...]").
    virtual void Failed(const std::string&) {}
    // A failure as the log's line and as a report naming its path ("name:message", the path,
    // the system's error number); first is false for a further failure of a file that failed
    // already. Shown as the log's line unless the front end shows failures its own way.
    virtual void ShowFailure(const std::string& logLine, const BatchReport&, bool) {
        Failed(logLine);
    }
    // The failures so far ("うち 2 個は失敗しました(ログ: ...)"), after each new one.
    virtual void SetFailures(const std::string&) {}
};

// Progress that shows nothing and never stops the run.
class CSilentProgress : public IBatchProgress {
public:
    void SetStatus(const std::string&) override {}
    void SetCounter(const std::string&) override {}
    void SetPath(const std::string&) override {}
    void SetRange(int) override {}
    void Step() override {}
    bool KeepGoing() override { return true; }
};

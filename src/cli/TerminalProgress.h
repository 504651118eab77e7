#pragma once
// Batch progress for the command line: a bar with count/total and the current path on stderr
// when stderr is a terminal, one line on stderr per failure, and Ctrl+C as the abort button.
#include "batch/BatchProgress.h"

#include <chrono>
#include <csignal>
#include <string>

class CTerminalProgress : public IBatchProgress {
public:
    // Catches SIGINT for the object's lifetime; a second Ctrl+C ends the program at once.
    explicit CTerminalProgress(bool showBar);
    ~CTerminalProgress() override;
    CTerminalProgress(const CTerminalProgress&) = delete;
    CTerminalProgress& operator=(const CTerminalProgress&) = delete;

    void SetStatus(const std::string&) override {}
    void SetCounter(const std::string& text) override;
    void SetPath(const std::string& text) override;
    void SetRange(int total) override;
    void Step() override { ++position_; }
    bool KeepGoing() override;
    // The first failure of each file, as every report of the command line:
    // "tolmena-cli: PATH: name:message (reason)"; the log keeps its own texts.
    void ShowFailure(const std::string& logLine, const BatchReport& report, bool first) override;
    // Clears the bar, leaving the terminal line empty for what follows.
    void Clear();

private:
    // Redraws the bar, at most every few hundredths of a second unless forced.
    void Draw(bool force);

    bool showBar_;
    bool drawn_ = false;
    int total_ = 0, position_ = 0;
    std::string counter_, path_;
    std::chrono::steady_clock::time_point lastDraw_{};
    struct sigaction previous_ {};
};

#pragma once
// Progress of a batch run on the command line: one line on stderr, redrawn in place, with a
// bar, count/total and the file at hand, drawn only when stderr is a terminal. Ctrl+C stands
// for the progress window's abort button.
#include "batch/BatchProgress.h"

#include <csignal>
#include <cstdio>
#include <string>

class CTerminalProgress : public IBatchProgress {
public:
    // Catches SIGINT for the lifetime of the object: the first Ctrl+C stops the run at the
    // next file, a second one ends the program as usual.
    explicit CTerminalProgress(FILE* stream = stderr);
    ~CTerminalProgress() override;
    CTerminalProgress(const CTerminalProgress&) = delete;
    CTerminalProgress& operator=(const CTerminalProgress&) = delete;

    void SetStatus(const std::string& text) override;
    void SetCounter(const std::string& text) override;
    void SetPath(const std::string& text) override;
    void SetRange(int total) override;
    void Step() override;
    // False once Ctrl+C was pressed.
    bool KeepGoing() override;
    // Prints the failure on a line of its own, terminal or not.
    void Failed(const std::string& message) override;

private:
    void Draw();
    void ClearLine();
    size_t Columns() const;

    FILE* stream_;
    bool terminal_;
    bool drawn_ = false;
    std::string status_, counter_, path_;
    int total_ = 0, position_ = 0;
    struct sigaction previous_ {};
};

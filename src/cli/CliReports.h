#pragma once
// Failure reports of the command line, one line each on stderr:
// "tolmena-cli: PATH: name:message (system reason)". A report without a path names the file
// the command is working on. The system reason, the one the failing call left in errno, is
// given for the messages that say a file or folder could not be opened or made; other failures
// (a codec's, a missing memory) leave errno as unrelated calls set it.
#include "base/ReportError.h"

#include <mutex>
#include <string>
#include <utility>
#include <vector>

class CCliReports : public IReportSink {
public:
    void Report(const std::string& text) override;
    // Report with the system's error number of the moment the report was made.
    void ReportWith(const std::string& text, int error);
    // Prints a report with the reason of `error` (none for 0).
    void Print(const std::string& text, int error);
    // The file the command works on from now on; clears errno, so that a reason printed
    // belongs to this file's operations.
    void BeginFile(const std::string& path);
    // Reports made so far.
    size_t Count() const;
    // From now on reports name the file `path` as `shown` (a temporary file standing for a
    // stream).
    void ShowPathAs(const std::string& path, const std::string& shown);

private:
    mutable std::mutex mutex_;
    std::string currentPath_;
    size_t count_ = 0;
    std::vector<std::pair<std::string, std::string>> shownPaths_;
};

// The process's report sink, installed as the default by main.
CCliReports& CliReports();

// The line of a report text ("name:message", its path on the last line): the path, or the
// fallback when it has none, and the reason of `error` unless it is 0 or the message already
// ends with it.
std::string FormatCliReport(const std::string& report, const std::string& fallbackPath, int error);
// Prints a failure of the command line itself as a report line.
void ReportCliFailure(const std::string& path, const std::string& message, int error = 0);

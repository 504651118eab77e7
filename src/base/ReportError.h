#pragma once
// Failure reports the user must see: "name:message" and the path on the next line. They go to
// the report sink in force on the calling thread: one that a caller installed for its work (a
// batch run, a worker thread, a test), else the process default, which shows a message box with
// the stop icon through the platform.
#include "base/StringTable.h"

#include <mutex>
#include <string>
#include <vector>

class IReportSink {
public:
    virtual ~IReportSink() = default;
    // Takes one finished report; may be called from any thread that installed the sink.
    virtual void Report(const std::string& text) = 0;
};

// Routes the reports of the current thread to a sink for the lifetime of the object; nests.
class ScopedReportSink {
public:
    explicit ScopedReportSink(IReportSink& sink);
    ~ScopedReportSink();
    ScopedReportSink(const ScopedReportSink&) = delete;
    ScopedReportSink& operator=(const ScopedReportSink&) = delete;

private:
    IReportSink* previous_;
};

// A sink that keeps the reports in order; safe to share between threads.
class CollectedReports : public IReportSink {
public:
    void Report(const std::string& text) override;
    std::vector<std::string> Texts() const;

private:
    mutable std::mutex mutex_;
    std::vector<std::string> texts_;
};

// Replaces the process default sink (not owned); nullptr goes back to the platform's message box.
// Threads without a sink of their own report there, so a GUI's default must be thread-safe.
void SetDefaultReportSink(IReportSink* sink);

void ReportError(const std::string& name, const std::string& path, const std::string& message);
// Passes a finished report (one that another thread collected) to the calling thread's sink.
void DeliverReport(const std::string& text);
// As ReportError, with the message taken from the string table.
void ReportErrorId(const std::string& name, const std::string& path, StringId id);
// A file that could not be opened for reading: the message (by default "ファイルが開けません")
// says what the path is when it is no regular file, "ファイルが開けません (is a FIFO)". errno is
// kept for the sink.
void ReportCannotOpen(const std::string& name, const std::string& path);
void ReportCannotOpen(const std::string& name, const std::string& path, const std::string& message);
// The text ReportError shows.
std::string FormatErrorReport(const std::string& name, const std::string& path,
                              const std::string& message);

#include "base/ReportError.h"

#include "base/FileHandle.h"
#include "base/Platform.h"

#include <atomic>
#include <cerrno>

namespace {

thread_local IReportSink* threadSink = nullptr;
std::atomic<IReportSink*> defaultSink{nullptr};

} // namespace

ScopedReportSink::ScopedReportSink(IReportSink& sink) : previous_(threadSink) {
    threadSink = &sink;
}

ScopedReportSink::~ScopedReportSink() {
    threadSink = previous_;
}

void CollectedReports::Report(const std::string& text) {
    std::lock_guard lock(mutex_);
    texts_.push_back(text);
}

std::vector<std::string> CollectedReports::Texts() const {
    std::lock_guard lock(mutex_);
    return texts_;
}

void SetDefaultReportSink(IReportSink* sink) {
    defaultSink = sink;
}

std::string FormatErrorReport(const std::string& name, const std::string& path,
                              const std::string& message) {
    return name + ":" + message + "\n" + path;
}

void ReportError(const std::string& name, const std::string& path, const std::string& message) {
    DeliverReport(FormatErrorReport(name, path, message));
}

void DeliverReport(const std::string& text) {
    if (IReportSink* sink = threadSink ? threadSink : defaultSink.load())
        sink->Report(text);
    else
        Platform().ShowMessage(text, MessageKind::Error, Buttons::Ok);
}

void ReportErrorId(const std::string& name, const std::string& path, StringId id) {
    ReportError(name, path, LoadString(id));
}

void ReportCannotOpen(const std::string& name, const std::string& path) {
    ReportCannotOpen(name, path, LoadString(StringId::CannotOpen));
}

void ReportCannotOpen(const std::string& name, const std::string& path,
                      const std::string& message) {
    const int error = errno;
    const std::string kind = NonRegularFileKind(path);
    errno = error;
    ReportError(name, path, kind.empty() ? message : message + " (" + kind + ")");
}

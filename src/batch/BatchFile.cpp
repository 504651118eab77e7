#include "batch/BatchFile.h"

#include "batch/BatchJob.h"
#include "batch/HtmlLog.h"

#include <cerrno>
#include <sys/stat.h>

namespace {

bool IsDirectory(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

bool CDestinationFolder::Make() {
    if (mkdir(path_.c_str(), 0777) == 0 || (errno == EEXIST && IsDirectory(path_))) {
        needed_ = false;
        return true;
    }
    failed_ = true;
    error_ = errno;
    return false;
}

bool CDestinationFolder::EnsureForFile() {
    std::lock_guard lock(mutex_);
    if (!needed_) return true;
    if (!failed_) return Make();
    errno = error_;
    return false;
}

bool CDestinationFolder::EnsureForSubdirectory() {
    std::lock_guard lock(mutex_);
    return !needed_ || Make();
}

bool CBatchFile::OutputIsItsSource() const {
    struct stat output {
    }, source{};
    return stat(paths_.destination.c_str(), &output) == 0 &&
           stat(paths_.source.c_str(), &source) == 0 && output.st_dev == source.st_dev &&
           output.st_ino == source.st_ino;
}

bool CBatchFile::EnsureDestinationDirectory() {
    if (folder_->EnsureForFile()) return true;
    LogError(kLogCantMkdir, folder_->Path());
    return false;
}

void CBatchFile::LogError(const char* format, const std::string& argument) {
    Later([format, argument, error = errno, first = FirstFailure()](CBatchJob& job) {
        job.LogFileError(format, argument, first, error);
    });
}

void CBatchFile::Report(const std::string& text, int error) {
    Later([report = BatchReport::OfFile(text, error, paths_.source),
           first = FirstFailure()](CBatchJob& job) { job.LogReport(report, first); });
}

void CBatchFile::Later(Action action) {
    if (immediate_)
        action(*immediate_);
    else
        actions_.push_back(std::move(action));
}

void CBatchFile::PlayBack(CBatchJob& job) {
    for (Action& action : actions_)
        action(job);
    actions_.clear();
}

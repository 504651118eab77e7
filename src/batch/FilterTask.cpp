#include "batch/FilterTask.h"

#include "base/StringTable.h"
#include "jpegtools/LosslessFilter.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <limits>

namespace {

constexpr const char* kOutputExtension = ".jpg";

uint32_t LogSize(uint64_t size) {
    return static_cast<uint32_t>(std::min<uint64_t>(size, std::numeric_limits<uint32_t>::max()));
}

// Filters files one at a time with its own reader and segment list.
class FilterWorker : public IBatchWorker {
public:
    FilterWorker(const SettingsStore& settings, const BulkFltOptions& options)
        : settings_(settings), options_(options) {}

    bool ProcessFile(CBatchFile& file) override;

private:
    const SettingsStore& settings_;
    const BulkFltOptions& options_;
    CSegmentReader reader_;
    SegmentList list_;
};

bool FilterWorker::ProcessFile(CBatchFile& file) {
    if (!reader_.Open(file.SourcePath())) {
        file.LogError(kLogCantOpenFile, file.SourcePath());
        return true;
    }
    const uint64_t sourceSize = reader_.GetLength();
    reader_.ParseJpeg(list_);
    reader_.Close();
    if (!file.EnsureDestinationDirectory()) {
        list_.clear();
        return false;
    }
    // In its own directory, a.jpeg is not written over a.jpg when that is a source too.
    if (file.OutputReplacesAnotherSource()) {
        list_.clear();
        errno = EEXIST;
        file.LogError(kLogCantSave, file.DestinationPath());
        return true;
    }
    // A file without a frame header (not a JPEG) is logged as 0 x 0.
    FilterFileContext context{list_, reader_, file.SourcePath(), file.DestinationPath(), settings_};
    const int filtered = ApplyFilters(context, options_);
    list_.clear();
    if (!filtered) {
        file.LogError(kLogCantSave, file.DestinationPath());
        return true;
    }
    const FilterLogEntry entry{file.ImagePath(),    file.DestinationPath(),
                               context.width,       context.height,
                               LogSize(sourceSize), LogSize(context.writtenSize)};
    file.Later([entry, sourceSize, written = context.writtenSize](CBatchJob& job) {
        job.bytesSaved += static_cast<long long>(sourceSize) - static_cast<long long>(written);
        job.Log().WriteFilterEntry(entry);
    });
    return true;
}

} // namespace

void CFilterTask::Configure(CBatchJob& job) {
    ConfigureWalk(job, filter_);
}

bool CFilterTask::Run(CBatchJob& job) {
    job.bytesSaved = 0;
    if (!job.BeginProcessing()) return false;
    if (filter_.createLog && !job.OpenLog(filter_.logFilePath)) return false;
    job.ProcessTree();
    job.Log().Close();
    return true;
}

std::string CFilterTask::OutputName(const std::string& name) const {
    return name.substr(0, name.rfind('.')) + kOutputExtension;
}

std::unique_ptr<IBatchWorker> CFilterTask::NewWorker(int) {
    return std::make_unique<FilterWorker>(settings_, filter_.options);
}

std::string CFilterTask::Summary(const CBatchJob& job) const {
    char saved[128];
    std::snprintf(saved, sizeof saved, LoadString(StringId::BytesSaved).c_str(),
                  static_cast<long>(job.bytesSaved));
    return IBatchTask::Summary(job) + saved;
}

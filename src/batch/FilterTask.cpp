#include "batch/FilterTask.h"

#include "app/util/StringTable.h"
#include "jpegtools/LosslessFilter.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace {

constexpr const char* kOutputExtension = ".jpg";

uint32_t LogSize(uint64_t size) {
    return static_cast<uint32_t>(std::min<uint64_t>(size, std::numeric_limits<uint32_t>::max()));
}

} // namespace

void CFilterTask::Configure(CBatchJob& job) {
    ConfigureWalk(job, filter_);
}

bool CFilterTask::Run(CBatchJob& job) {
    job.bytesSaved = 0;
    if (!job.BeginProcessing()) return false;
    if (filter_.createLog && !job.OpenLog(filter_.logFilePath)) return false;
    job.ProcessDirectory();
    job.Log().Close();
    return true;
}

std::string CFilterTask::OutputName(const std::string& name) const {
    return name.substr(0, name.rfind('.')) + kOutputExtension;
}

bool CFilterTask::ProcessFile(CBatchJob& job) {
    if (!reader_.Open(job.SourcePath())) {
        job.LogError(kLogCantOpenFile, job.SourcePath());
        return true;
    }
    const uint64_t sourceSize = reader_.GetLength();
    reader_.ParseJpeg(list_);
    reader_.Close();
    if (!job.EnsureDestinationDirectory()) {
        list_.clear();
        return false;
    }
    // In its own directory, a.jpeg is not written over a.jpg when that is a source too.
    if (job.OutputReplacesAnotherSource()) {
        list_.clear();
        job.LogError(kLogCantSave, job.DestinationPath());
        return true;
    }
    FilterFileContext context{list_,     reader_, job.SourcePath(), job.DestinationPath(),
                              settings_, width_,  height_};
    const int filtered = ApplyFilters(context, filter_.options);
    list_.clear();
    width_ = context.width;
    height_ = context.height;
    if (!filtered) {
        job.LogError(kLogCantSave, job.DestinationPath());
        return true;
    }
    job.bytesSaved +=
        static_cast<long long>(sourceSize) - static_cast<long long>(context.writtenSize);
    job.Log().WriteFilterEntry({job.ImagePath(), job.DestinationPath(), width_, height_,
                                LogSize(sourceSize), LogSize(context.writtenSize)});
    return true;
}

std::string CFilterTask::Summary(const CBatchJob& job) const {
    char saved[128];
    std::snprintf(saved, sizeof saved, LoadString(StringId::BytesSaved).c_str(),
                  static_cast<long>(job.bytesSaved));
    return IBatchTask::Summary(job) + saved;
}

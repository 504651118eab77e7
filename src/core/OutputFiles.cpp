#include "core/OutputFiles.h"

#include "base/FileHandle.h"
#include "base/ReportError.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// The file a save to path replaces: the end of a chain of symbolic links, or path itself.
std::string ReplacedFile(const std::string& path) {
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(path, error))) return path;
    fs::path resolved = fs::weakly_canonical(path, error);
    return error ? path : resolved.string();
}

// Permission bits for the new file: those of the file it replaces, or the default ones.
mode_t ModeFor(const std::string& target) {
    struct stat existing {};
    if (stat(target.c_str(), &existing) == 0) return existing.st_mode & 07777;
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// The stream's write function: writes everything or records why it could not.
ssize_t WriteToSink(void* cookie, const char* bytes, size_t size) {
    auto* sink = static_cast<COutputFiles::Sink*>(cookie);
    size_t done = 0;
    while (done < size) {
        ssize_t written = write(sink->fd, bytes + done, size - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            if (!sink->error) sink->error = written < 0 ? errno : EIO;
            return done > 0 ? static_cast<ssize_t>(done) : -1;
        }
        done += static_cast<size_t>(written);
    }
    return static_cast<ssize_t>(done);
}

int CloseSink(void* cookie) {
    auto* sink = static_cast<COutputFiles::Sink*>(cookie);
    if (sink->fd < 0) return 0;
    int result = close(sink->fd);
    if (result != 0 && !sink->error) sink->error = errno;
    sink->fd = -1;
    return result;
}

std::FILE* OpenSinkStream(COutputFiles::Sink& sink) {
    cookie_io_functions_t functions{};
    functions.write = WriteToSink;
    functions.close = CloseSink;
    return fopencookie(&sink, "wb", functions);
}

} // namespace

std::FILE* COutputFiles::Create(const std::string& path, bool measured) {
    refusedStaging_ = {};
    Output output;
    output.target = ReplacedFile(path);
    output.measured = measured;
    output.sink = std::make_unique<Sink>();
    std::error_code error;
    fs::file_status status = fs::status(output.target, error);
    output.replaces = fs::exists(status);
    if (output.replaces && !fs::is_regular_file(status)) {
        output.sink->fd = open(output.target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    } else {
        Stage(output);
    }
    if (output.sink->fd >= 0) output.file = OpenSinkStream(*output.sink);
    if (!output.file) {
        CloseSink(output.sink.get());
        if (!output.temporary.empty()) unlink(output.temporary.c_str());
        return nullptr;
    }
    outputs_.push_back(std::move(output));
    return outputs_.back().file;
}

void COutputFiles::Stage(Output& output) {
    fs::path target(output.target);
    std::string pattern = (target.parent_path() / ("." + target.filename().string())).string();
    pattern += ".XXXXXX";
    output.sink->fd = mkostemp(pattern.data(), O_CLOEXEC);
    if (output.sink->fd < 0) {
        refusedStaging_ = {target.parent_path().string(), output.target, errno};
        return;
    }
    output.temporary = pattern;
    if (fchmod(output.sink->fd, ModeFor(output.target)) != 0) CloseSink(output.sink.get());
}

bool COutputFiles::Finish(Output& output, std::string& reason) {
    Sink& sink = *output.sink;
    bool written = std::fflush(output.file) == 0 && !std::ferror(output.file) && !sink.error;
    if (written && !output.temporary.empty() && output.replaces && fsync(sink.fd) != 0)
        sink.error = errno;
    if (std::fclose(output.file) != 0 && !sink.error) sink.error = EIO;
    output.file = nullptr;
    if (written && !sink.error) return true;
    reason = SystemErrorText(sink.error);
    return false;
}

bool COutputFiles::Commit(const std::string& reportName) {
    // A stream whose writes already failed (a full disk) is the one named, not an earlier one
    // whose few buffered bytes meet the same full disk only now.
    for (const Output& output : outputs_) {
        if (output.sink->error) {
            Fail(reportName, output.target, SystemErrorText(output.sink->error));
            return false;
        }
    }
    std::string reason;
    for (Output& output : outputs_) {
        if (!Finish(output, reason)) {
            Fail(reportName, output.target, reason);
            return false;
        }
    }
    for (Output& output : outputs_) {
        if (output.temporary.empty()) continue;
        if (std::rename(output.temporary.c_str(), output.target.c_str()) != 0) {
            Fail(reportName, output.target, SystemErrorText(errno));
            return false;
        }
        output.temporary.clear();
    }
    for (const Output& output : outputs_) {
        struct stat written {};
        if (output.measured && stat(output.target.c_str(), &written) == 0)
            measuredSize_ =
                written.st_size > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(written.st_size);
    }
    outputs_.clear();
    return true;
}

std::string COutputFiles::CreateFailureMessage(const std::string& usual) const {
    const RefusedStaging& refused = refusedStaging_;
    if (refused.error == 0 || access(refused.target.c_str(), W_OK) != 0) return usual;
    const std::string folder = refused.folder.empty() ? "." : refused.folder;
    return "ファイルは書き込めますが、フォルダ " + folder + " に一時ファイルを作成できません (" +
           SystemErrorText(refused.error) + ")";
}

void COutputFiles::Fail(const std::string& reportName, std::string target,
                        const std::string& reason) {
    Discard();
    ReportError(reportName, target, reason);
}

void COutputFiles::Discard() {
    for (Output& output : outputs_) {
        if (output.file) std::fclose(output.file);
        if (!output.temporary.empty()) unlink(output.temporary.c_str());
    }
    outputs_.clear();
}

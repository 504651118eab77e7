#include "core/OutputFiles.h"

#include "app/util/ReportError.h"

#include <cerrno>
#include <climits>
#include <cstring>
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

std::string Reason(int error) { return std::strerror(error ? error : EIO); }

} // namespace

std::FILE* COutputFiles::Create(const std::string& path, bool measured) {
    Output output;
    output.target = ReplacedFile(path);
    output.measured = measured;
    std::error_code error;
    fs::file_status status = fs::status(output.target, error);
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        output.file = std::fopen(output.target.c_str(), "wb");
    } else {
        fs::path target(output.target);
        std::string pattern = (target.parent_path() / ("." + target.filename().string())).string();
        pattern += ".XXXXXX";
        int fd = mkstemp(pattern.data());
        if (fd < 0) return nullptr;
        output.temporary = pattern;
        if (fchmod(fd, ModeFor(output.target)) != 0 || !(output.file = fdopen(fd, "wb"))) {
            close(fd);
            unlink(pattern.c_str());
            return nullptr;
        }
    }
    if (!output.file) return nullptr;
    outputs_.push_back(output);
    return output.file;
}

bool COutputFiles::Finish(Output& output, std::string& reason) {
    errno = 0;
    bool written = std::fflush(output.file) == 0 && !std::ferror(output.file);
    int error = errno;
    if (written && !output.temporary.empty() && fsync(fileno(output.file)) != 0) {
        written = false;
        error = errno;
    }
    errno = 0;
    if (std::fclose(output.file) != 0 && written) {
        written = false;
        error = errno;
    }
    output.file = nullptr;
    if (!written) reason = Reason(error);
    return written;
}

bool COutputFiles::Commit(const std::string& reportName) {
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
            Fail(reportName, output.target, Reason(errno));
            return false;
        }
        output.temporary.clear();
    }
    for (const Output& output : outputs_) {
        struct stat written {};
        if (output.measured && stat(output.target.c_str(), &written) == 0)
            measuredSize_ = written.st_size > UINT32_MAX ? UINT32_MAX
                                                          : static_cast<uint32_t>(written.st_size);
    }
    outputs_.clear();
    return true;
}

void COutputFiles::Fail(const std::string& reportName, const std::string& target,
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

#include "base/StagedFile.h"

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string ResolveLink(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_symlink(path, ec)) return path;
    std::filesystem::path resolved = std::filesystem::canonical(path, ec);
    return ec ? path : resolved.string();
}

// Gives the new file the mode of the file it replaces, or a new file's usual mode.
bool TakeOverAttributes(int fd, const std::string& target) {
    struct stat old {};
    if (stat(target.c_str(), &old) != 0) {
        const mode_t mask = umask(0);
        umask(mask);
        return fchmod(fd, 0666 & ~mask) == 0;
    }
    return fchmod(fd, old.st_mode & 07777) == 0;
}

} // namespace

CStagedFile::~CStagedFile() {
    Discard();
}

bool CStagedFile::Create(const std::string& target) {
    Discard();
    target_ = ResolveLink(target);
    std::filesystem::path path(target_);
    std::string pattern = (path.has_parent_path() ? path.parent_path().string() + "/" : "") + "." +
                          path.filename().string() + ".XXXXXX";
    const int fd = mkstemp(pattern.data());
    if (fd < 0) return false;
    tempPath_ = pattern;
    file_ = fdopen(fd, "wb");
    if (!file_) {
        close(fd);
        Discard();
        return false;
    }
    return true;
}

bool CStagedFile::Commit(bool sync) {
    if (!file_) return false;
    bool ok = std::fflush(file_) == 0 && !std::ferror(file_);
    ok = ok && TakeOverAttributes(fileno(file_), target_);
    ok = ok && (!sync || fsync(fileno(file_)) == 0);
    ok = (std::fclose(file_) == 0) && ok;
    file_ = nullptr;
    ok = ok && std::rename(tempPath_.c_str(), target_.c_str()) == 0;
    if (ok) tempPath_.clear();
    Discard();
    return ok;
}

void CStagedFile::Discard() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
    if (!tempPath_.empty()) unlink(tempPath_.c_str());
    tempPath_.clear();
}

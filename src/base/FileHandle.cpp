#include "base/FileHandle.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

// Opens without blocking (a FIFO with no writer would wait forever) and keeps the stream only
// for a regular file, which then reads as usual.
std::FILE* OpenRegularForReading(const std::string& path, const char* mode) {
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return nullptr;
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const int error = S_ISDIR(info.st_mode) ? EISDIR : ENXIO;
        close(fd);
        errno = error;
        return nullptr;
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    std::FILE* file = fdopen(fd, mode);
    if (!file) close(fd);
    return file;
}

} // namespace

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
    if (this != &other) {
        Close();
        file_ = std::exchange(other.file_, nullptr);
    }
    return *this;
}

FileHandle FileHandle::Open(const std::string& path, const char* mode) {
    const std::string text(mode);
    if (text == "r" || text == "rb") return FileHandle(OpenRegularForReading(path, mode));
    return FileHandle(std::fopen(path.c_str(), mode));
}

bool FileHandle::Close() {
    if (!file_) return true;
    return std::fclose(std::exchange(file_, nullptr)) == 0;
}

std::string SystemErrorText(int error) {
    return std::strerror(error ? error : EIO);
}

std::string NonRegularFileKind(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || S_ISREG(info.st_mode)) return "";
    if (S_ISDIR(info.st_mode)) return "is a folder";
    if (S_ISFIFO(info.st_mode)) return "is a FIFO";
    if (S_ISSOCK(info.st_mode)) return "is a socket";
    return "is a device";
}

#include "platform/FileHandle.h"

#include <cerrno>
#include <cstring>
#include <utility>

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
    if (this != &other) {
        Close();
        file_ = std::exchange(other.file_, nullptr);
    }
    return *this;
}

FileHandle FileHandle::Open(const std::string& path, const char* mode) {
    return FileHandle(std::fopen(path.c_str(), mode));
}

bool FileHandle::Close() {
    if (!file_) return true;
    return std::fclose(std::exchange(file_, nullptr)) == 0;
}

std::string SystemErrorText(int error) {
    return std::strerror(error ? error : EIO);
}

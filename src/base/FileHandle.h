#pragma once
// An open C stream owned by one object: closed when the handle goes, or earlier by Close, which
// says whether the close (and the flush it makes) succeeded.
#include <cstdio>
#include <string>
#include <utility>

class FileHandle {
public:
    FileHandle() = default;
    explicit FileHandle(std::FILE* file) : file_(file) {}
    ~FileHandle() { Close(); }
    FileHandle(FileHandle&& other) noexcept : file_(other.file_) { other.file_ = nullptr; }
    FileHandle& operator=(FileHandle&& other) noexcept;
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    // fopen of the path; an empty handle when it fails (errno says why). A mode that reads
    // ("r", "rb") opens regular files only and never waits: a FIFO, socket, device or folder
    // is refused at once (errno EISDIR for a folder, ENXIO for the others).
    static FileHandle Open(const std::string& path, const char* mode);

    std::FILE* get() const { return file_; }
    explicit operator bool() const { return file_ != nullptr; }
    // Gives up the stream without closing it; the caller closes it.
    std::FILE* Release() { return std::exchange(file_, nullptr); }
    // Closes the stream; false when closing failed. An empty handle closes successfully.
    bool Close();

private:
    std::FILE* file_ = nullptr;
};

// The system's text for an errno value ("No space left on device"); EIO's when none was kept.
std::string SystemErrorText(int error);

// What the path names when it is not a regular file, for a message: "is a folder", "is a FIFO",
// "is a socket", "is a device"; empty for a regular file or a path that names nothing.
std::string NonRegularFileKind(const std::string& path);

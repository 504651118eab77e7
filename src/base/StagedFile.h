#pragma once
// A new version of a file, written beside it under a temporary name and renamed over it by
// Commit, so the target's name never shows a partly written file: until Commit it keeps its
// old contents (or does not exist), after it the complete new ones. The new file takes the
// permission bits of the file it replaces; a new target gets
// the usual 0666 less the umask. A symbolic link as target is followed: the file it points to
// is replaced. Not committed, the temporary file is removed.
#include <cstdio>
#include <string>

class CStagedFile {
public:
    CStagedFile() = default;
    ~CStagedFile();
    CStagedFile(const CStagedFile&) = delete;
    CStagedFile& operator=(const CStagedFile&) = delete;

    // Creates the temporary file in the target's directory; false when that fails.
    bool Create(const std::string& target);
    // The stream to write the new contents to (binary), null before Create.
    FILE* File() const { return file_; }
    const std::string& TempPath() const { return tempPath_; }
    // Checks that every write succeeded, flushes (to the disk as well with sync), and renames
    // the temporary file over the target. false (temporary file removed) on any failure.
    bool Commit(bool sync);

private:
    void Discard();

    FILE* file_ = nullptr;
    std::string target_;
    std::string tempPath_;
};

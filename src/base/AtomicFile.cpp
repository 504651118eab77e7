#include "base/AtomicFile.h"

#include "base/StagedFile.h"

#include <filesystem>

bool WriteFileAtomically(const std::string& path, const std::string& bytes) {
    CStagedFile staged;
    if (!staged.Create(path)) return false;
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), staged.File());
    return staged.Commit(true);
}

bool CreateParentFolders(const std::string& path) {
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    std::error_code error;
    return parent.empty() || std::filesystem::create_directories(parent, error) ||
           std::filesystem::is_directory(parent, error);
}

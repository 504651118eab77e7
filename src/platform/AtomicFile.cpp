#include "platform/AtomicFile.h"

#include "platform/StagedFile.h"

bool WriteFileAtomically(const std::string& path, const std::string& bytes) {
    CStagedFile staged;
    if (!staged.Create(path)) return false;
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), staged.File());
    return staged.Commit(true);
}

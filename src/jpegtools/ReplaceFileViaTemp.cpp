#include "jpegtools/ReplaceFileViaTemp.h"

#include "base/ReportError.h"
#include "base/StagedFile.h"
#include "jpegtools/SegmentReader.h"

#include <filesystem>

namespace {} // namespace

bool ReplaceFileViaTemp(const std::string& newFile, const std::string& target) {
    std::error_code ec;
    CStagedFile staged;
    if (!std::filesystem::is_regular_file(target, ec) || !staged.Create(target)) {
        ReportErrorId("Rename", target, StringId::NoTempFile);
        return false;
    }
    CSegmentReader source;
    const bool copied = source.Open(newFile) && source.CopyTo(staged.File(), source.GetLength());
    source.Close();
    if (!copied || !staged.Commit(true)) {
        ReportErrorId("MoveTemp", target, StringId::NoTempFile);
        return false;
    }
    return true;
}

#include "core/SaveDispatch.h"

#include "base/FileExtension.h"
#include "base/FileHandle.h"
#include "base/Platform.h"
#include "base/ReportError.h"
#include "core/FormatTable.h"
#include "core/ImageSaveRequest.h"
#include "core/OutputFiles.h"

#include <memory>

namespace {

constexpr const char* kCopyName = "Save";

// Copies until the end of the source or the first write error (which the commit reports);
// false when the source cannot be read.
bool CopyStream(std::FILE* from, std::FILE* to) {
    char buffer[1 << 16];
    size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, from)) > 0)
        if (std::fwrite(buffer, 1, count, to) != count) break;
    return !std::ferror(from);
}

} // namespace

std::optional<ImageFacts> SaveImageFile(const ImageSaveRequest& request, const std::string& path) {
    const ImageFormat* format = FindImageFormat(FileTypeFromExtension(ExtensionOf(path)));
    if (!format || !format->writerName) return std::nullopt;
    if (!format->write) {
        ReportFormatNotAvailable(format->writerName, path);
        return std::nullopt;
    }
    ImageFacts written = request.facts;
    COutputFiles output;
    {
        WaitCursor wait;
        if (!format->write(request, written, output, path) || !output.Commit(format->writerName))
            return std::nullopt;
    }
    written.fileSize = output.MeasuredSize();
    return written;
}

std::optional<uint32_t> CopyImageFile(const std::string& source, const std::string& path) {
    FileHandle from = FileHandle::Open(source, "rb");
    if (!from) {
        ReportErrorId(kCopyName, source, StringId::CannotOpen);
        return std::nullopt;
    }
    COutputFiles output;
    std::FILE* to = output.Create(path);
    if (!to) {
        ReportError(kCopyName, path, output.CreateFailureMessage(LoadString(StringId::CannotOpen)));
        return std::nullopt;
    }
    if (!CopyStream(from.get(), to)) {
        ReportErrorId(kCopyName, source, StringId::CannotOpen);
        return std::nullopt;
    }
    if (!output.Commit(kCopyName)) return std::nullopt;
    return output.MeasuredSize();
}

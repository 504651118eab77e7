#include "core/SaveDispatch.h"

#include "base/FileExtension.h"
#include "base/FileHandle.h"
#include "base/Platform.h"
#include "base/ReportError.h"
#include "core/DocumentHost.h"
#include "core/FormatTable.h"
#include "core/ImageDoc.h"
#include "core/OutputFiles.h"
#include "settings/SettingsStore.h"

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

bool SaveImageFile(CImageDoc& document, const std::string& path) {
    const int type = FileTypeFromExtension(ExtensionOf(path));
    const ImageFormat* format = FindImageFormat(type);
    if (!format || !format->writerName) return false;
    if (!format->write) {
        ReportFormatNotAvailable(format->writerName, path);
        return false;
    }
    SettingsStore& settings = AppSettings();
    if (format->usesControlBar) DocumentHost().CommitControlBar(settings);
    const ImageWriteOptions options = ImageWriteOptions::FromSettings(settings);
    ImageFacts written = document.Facts();
    COutputFiles output;
    {
        WaitCursor wait;
        if (!format->write(document, options, written, output, path) ||
            !output.Commit(format->writerName))
            return false;
    }
    written.fileSize = output.MeasuredSize();
    document.TakeWrittenFacts(std::move(written));
    document.SetDocType(type);
    return true;
}

bool CopyImageFile(CImageDoc& document, const std::string& source, const std::string& path) {
    FileHandle from = FileHandle::Open(source, "rb");
    if (!from) {
        ReportErrorId(kCopyName, source, StringId::CannotOpen);
        return false;
    }
    COutputFiles output;
    std::FILE* to = output.Create(path);
    if (!to) {
        ReportError(kCopyName, path, output.CreateFailureMessage(LoadString(StringId::CannotOpen)));
        return false;
    }
    if (!CopyStream(from.get(), to)) {
        ReportErrorId(kCopyName, source, StringId::CannotOpen);
        return false;
    }
    if (!output.Commit(kCopyName)) return false;
    ImageFacts copied = document.Facts();
    copied.fileSize = output.MeasuredSize();
    document.TakeWrittenFacts(std::move(copied));
    return true;
}

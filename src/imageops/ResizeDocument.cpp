#include "imageops/ResizeDocument.h"

#include "base/MemoryLimit.h"
#include "base/Platform.h"
#include "base/ReportError.h"
#include "core/DibExtract.h"
#include "core/ImageDoc.h"
#include "imageops/DocumentImage.h"
#include "imageops/Resize.h"

#include <optional>

namespace {

const char* const kTag = "Resize";

} // namespace

bool Resize(CImageDoc& document, uint32_t width, uint32_t height) {
    std::optional<PackedDib> source = ExtractDib(document.Image(), 0);
    if (!source) {
        ReportErrorId(kTag, "", StringId::NoDib);
        return false;
    }
    // A size the new bitmap cannot have fails as its creation would.
    if (width < 1 || height < 1 || width > kMaxScaleLength || height > kMaxScaleLength) {
        ReportErrorId(kTag, "", StringId::NoBitmap);
        return false;
    }
    // Refused before anything is allocated, rather than after minutes of paging.
    const uint64_t bytes = PictureBytes(DibStride(width, 24), height);
    if (!FitsMemoryLimit(bytes)) {
        ReportError(kTag, "", MemoryLimitMessage(bytes));
        return false;
    }
    std::unique_ptr<CDibImage> target =
        NewPackedImage(static_cast<int>(width), static_cast<int>(height), 24);
    const bool scaled =
        target && ScalePixels(source->Pixels().data(), PackedLayout(source->Header()),
                              target->Pixels(), PackedLayout(*target->Header()));
    source.reset(); // before the display form is made
    if (!scaled) {
        ReportErrorId(kTag, "", StringId::NoDib);
        return false;
    }
    return InstallModifiedImage(document, std::move(target), kTag);
}

bool ResizeCommand(CImageDoc& document, uint32_t width, uint32_t height) {
    if (width == static_cast<uint32_t>(document.ImageWidth()) &&
        height == static_cast<uint32_t>(document.ImageHeight()))
        return false;
    bool resized = false;
    {
        WaitCursor wait;
        resized = Resize(document, width, height);
    }
    if (resized && !document.IsConverted() && !document.IsModified()) {
        document.SetModifiedMark(true);
        document.NewSyncId();
    }
    return resized;
}

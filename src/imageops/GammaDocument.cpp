#include "imageops/GammaDocument.h"

#include "base/Platform.h"
#include "base/ReportError.h"
#include "core/DibExtract.h"
#include "core/ImageDoc.h"
#include "imageops/DocumentImage.h"
#include "imageops/LevelTable.h"

#include <optional>

namespace {

const char* const kTag = "Gamma";

} // namespace

bool ApplyGamma(CImageDoc& document, const int gamma[256], const int levels[256]) {
    WaitCursor wait;
    std::optional<PackedDib> source = ExtractDib(document.Image(), 0);
    if (!source) {
        ReportErrorId(kTag, "", StringId::NoDib);
        return false;
    }
    std::unique_ptr<CDibImage> target =
        NewPackedImage(document.ImageWidth(), document.ImageHeight(), 24);
    if (target)
        ApplyTransfer(source->Pixels().data(), target->Pixels(), PackedLayout(source->Header()),
                      gamma, levels);
    source.reset(); // before the display form is made
    if (!target) {
        ReportErrorId(kTag, "", StringId::NoDib);
        return false;
    }
    if (!InstallModifiedImage(document, std::move(target), kTag)) return false;
    document.SetModifiedMark(true);
    return true;
}

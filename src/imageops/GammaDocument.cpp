#include "imageops/GammaDocument.h"

#include "base/Platform.h"
#include "base/ReportError.h"
#include "core/ImageDoc.h"
#include "imageops/DocumentImage.h"
#include "imageops/LevelTable.h"

namespace {

const char* const kTag = "Gamma";

} // namespace

bool ApplyGamma(CImageDoc& document, const int gamma[256], const int levels[256]) {
    WaitCursor wait;
    CDibImage& source = document.ImageBuffer();
    if (!source.ExtractDib(0, kBiRgb)) {
        ReportErrorId(kTag, "", StringId::NoDib);
        return false;
    }
    std::unique_ptr<CDibImage> target = NewPackedImage(source.Width(), source.Height(), 24);
    if (target)
        ApplyTransfer(source.Pixels(), target->Pixels(), PackedLayout(source), gamma, levels);
    source.FreeDib();
    if (!target) {
        ReportErrorId(kTag, "", StringId::NoDib);
        return false;
    }
    if (!InstallModifiedImage(document, std::move(target), kTag)) return false;
    document.SetModifiedMark(true);
    return true;
}

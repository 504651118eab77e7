#include "imageops/YCbCrSeparation.h"

#include "base/Platform.h"
#include "base/ReportError.h"
#include "core/DibExtract.h"
#include "core/DocTemplate.h"
#include "imageops/DocumentImage.h"
#include "imageops/YCbCrSplit.h"

#include <optional>

namespace {

const char* const kTag = "CvEmYcbcr";

struct Plane {
    YCbCrComponent component;
    const char* suffix;
};
constexpr Plane kPlanes[] = {
    {YCbCrComponent::Y, "[Y]"}, {YCbCrComponent::Cb, "[Cb]"}, {YCbCrComponent::Cr, "[Cr]"}};

std::vector<RgbQuad> GreyColorTable() {
    std::vector<RgbQuad> table(256);
    for (int i = 0; i < 256; ++i) {
        const auto level = static_cast<uint8_t>(i);
        table[i] = {level, level, level, 0};
    }
    return table;
}

// One plane of the source's packed 24-bit pixels as a realized 8-bit grey image; null (after
// a report) on failure.
std::unique_ptr<CDibImage> MakePlaneImage(const PackedDib& source, YCbCrComponent component) {
    const BitmapInfoHeader& header = source.Header();
    std::unique_ptr<CDibImage> plane =
        NewPackedImage(header.biWidth, header.biHeight, 8, GreyColorTable());
    if (!plane) {
        ReportErrorId(kTag, "", StringId::NoDib);
        return nullptr;
    }
    SplitComponent(source.Pixels().data(), PackedLayout(header), component, plane->Pixels(),
                   PackedLayout(*plane->Header()).stride);
    const bool realized = plane->Realize();
    plane->FreeDib();
    if (!realized) {
        ReportErrorId(kTag, "", StringId::NoBitmap);
        return nullptr;
    }
    return plane;
}

} // namespace

std::vector<CImageDoc*> SeparateYCbCr(const CImageDoc& source, CDocTemplate& documents) {
    const std::string title = source.Title();
    const int syncId = source.SyncId();
    WaitCursor wait;
    std::vector<CImageDoc*> made;
    const std::optional<PackedDib> image = ExtractDib(source.Image(), 0);
    if (!image) {
        ReportErrorId(kTag, "", StringId::NoDib);
        return made;
    }
    // Each plane is made before its document, so that a failure leaves no half-made window.
    for (const Plane& plane : kPlanes) {
        std::unique_ptr<CDibImage> planeImage = MakePlaneImage(*image, plane.component);
        if (!planeImage) break;
        CImageDoc* document = documents.OpenFilledDocument([&](CImageDoc& planeDocument) {
            planeDocument.SetSyncId(syncId);
            planeDocument.ReplaceImage(std::move(planeImage));
            planeDocument.SetTitle(title + plane.suffix);
            return true;
        });
        if (!document) {
            ReportErrorId(kTag, "", StringId::NoDocument);
            break;
        }
        made.push_back(document);
    }
    return made;
}

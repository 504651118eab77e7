#include "imageops/DocumentImage.h"

#include "base/ByteReader.h"
#include "base/Platform.h"
#include "base/ReportError.h"
#include "base/StringTable.h"
#include "core/DibExtract.h"
#include "core/ImageDoc.h"
#include "core/ImageReadOptions.h"
#include "settings/SettingsStore.h"

#include <optional>
#include <utility>

PixelLayout PackedLayout(const BitmapInfoHeader& header) {
    const auto width = static_cast<size_t>(header.biWidth);
    return {DibStride(width, header.biBitCount), width, static_cast<size_t>(header.biHeight)};
}

PackedPicture CopyPackedPicture(const CImageDoc& document) {
    std::optional<PackedDib> dib = ExtractDib(document.Image(), 0);
    if (!dib) return {};
    const PixelLayout layout = PackedLayout(dib->Header());
    return {std::move(*dib).TakePixels(), layout};
}

bool InstallModifiedImage(CImageDoc& document, std::unique_ptr<CDibImage> image,
                          const std::string& tag) {
    image = PrepareForScreen(
        std::move(image), ImageReadOptions::FromSettings(AppSettings(), Platform().ScreenDepth()));
    if (!image) {
        ReportErrorId(tag, "", StringId::NoBitmap);
        return false;
    }
    const int width = image->Width(), height = image->Height();
    ImageFacts facts = document.Facts();
    facts.palette.clear(); // the picture is true colour now
    facts.fileSize = 0;
    document.ReplaceImage(std::move(image), std::move(facts));
    document.SetInfoText(FormatImageSize(width, height) + LoadString(StringId::ModifiedImage),
                         true);
    return true;
}

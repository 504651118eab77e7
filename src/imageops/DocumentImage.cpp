#include "imageops/DocumentImage.h"

#include "app/settings/SettingsStore.h"
#include "app/util/ByteReader.h"
#include "app/util/ReportError.h"
#include "app/util/StringTable.h"
#include "core/ImageDoc.h"

#include <algorithm>

namespace {

constexpr int kModifiedImageTextId = 280;
constexpr int kNoBitmapId = 353;

} // namespace

std::unique_ptr<CDibImage> NewPackedImage(int width, int height, int bitCount,
                                          const std::vector<RgbQuad>& colorTable) {
    if (width < 1 || height < 1) return nullptr;
    const size_t stride = DibStride(static_cast<size_t>(width), bitCount);
    size_t pixelBytes = 0;
    if (!CheckedMultiply(stride, static_cast<size_t>(height), pixelBytes)) return nullptr;
    auto image = std::make_unique<CDibImage>();
    if (!image->AllocateDib(sizeof(BitmapInfoHeader) + colorTable.size() * sizeof(RgbQuad),
                            pixelBytes))
        return nullptr;
    BitmapInfoHeader& header = *image->Header();
    header = BitmapInfoHeader{};
    header.biWidth = width;
    header.biHeight = height;
    header.biBitCount = static_cast<uint16_t>(bitCount);
    header.biSizeImage = pixelBytes <= UINT32_MAX ? static_cast<uint32_t>(pixelBytes) : 0;
    header.biClrUsed = header.biClrImportant = static_cast<uint32_t>(colorTable.size());
    std::copy(colorTable.begin(), colorTable.end(), image->ColorTable());
    return image;
}

PixelLayout PackedLayout(CDibImage& image) {
    const BitmapInfoHeader& header = *image.Header();
    const auto width = static_cast<size_t>(header.biWidth);
    return {DibStride(width, header.biBitCount), width, static_cast<size_t>(header.biHeight)};
}

bool InstallModifiedImage(CImageDoc& document, std::unique_ptr<CDibImage> image,
                          const std::string& tag) {
    image = PrepareForDisplay(std::move(image), AppSettings().useDitherFor16bitColor);
    if (!image) {
        ReportErrorId(tag, "", kNoBitmapId);
        return false;
    }
    const int width = image->Width(), height = image->Height();
    document.palette.clear(); // the picture is true colour now
    document.SetImage(std::move(image));
    document.fileSize = 0;
    document.SetInfoText(FormatImageSize(width, height) + LoadString(kModifiedImageTextId), true);
    return true;
}

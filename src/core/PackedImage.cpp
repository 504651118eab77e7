#include "core/PackedImage.h"

#include "base/ByteReader.h"

#include <algorithm>

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

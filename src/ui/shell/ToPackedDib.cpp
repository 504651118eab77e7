#include "ui/shell/ToPackedDib.h"

#include "core/PackedImage.h"

#include <cstring>

namespace {

// Indexed with a colour table of its own (one without a table has no colours to keep).
bool IsIndexed(const QImage& image) {
    if (image.colorCount() == 0) return false;
    return image.format() == QImage::Format_Indexed8 || image.format() == QImage::Format_Mono ||
           image.format() == QImage::Format_MonoLSB;
}

std::vector<RgbQuad> ColorTableOf(const QImage& image) {
    std::vector<RgbQuad> table;
    for (QRgb color : image.colorTable())
        table.push_back(RgbQuad{static_cast<uint8_t>(qBlue(color)),
                                static_cast<uint8_t>(qGreen(color)),
                                static_cast<uint8_t>(qRed(color)), 0});
    return table;
}

// One packed row: the indices, or B, G, R of every pixel of an RGB32 image.
void CopyRow(const QImage& image, int y, int bitCount, uint8_t* row) {
    const uchar* line = image.constScanLine(y);
    if (bitCount == 8) {
        std::memcpy(row, line, static_cast<size_t>(image.width()));
        return;
    }
    const auto* pixels = reinterpret_cast<const QRgb*>(line);
    for (int x = 0; x < image.width(); ++x) {
        row[x * 3] = static_cast<uint8_t>(qBlue(pixels[x]));
        row[x * 3 + 1] = static_cast<uint8_t>(qGreen(pixels[x]));
        row[x * 3 + 2] = static_cast<uint8_t>(qRed(pixels[x]));
    }
}

} // namespace

std::unique_ptr<CDibImage> ToDibImage(const QImage& image) {
    if (image.isNull()) return nullptr;
    const int bitCount = IsIndexed(image) ? 8 : 24;
    const QImage source =
        image.convertToFormat(bitCount == 8 ? QImage::Format_Indexed8 : QImage::Format_RGB32);
    std::unique_ptr<CDibImage> dib =
        NewPackedImage(source.width(), source.height(), bitCount,
                       bitCount == 8 ? ColorTableOf(source) : std::vector<RgbQuad>());
    if (!dib) return nullptr;
    const size_t stride = DibStride(static_cast<size_t>(source.width()), bitCount);
    for (int y = 0; y < source.height(); ++y) // rows bottom-up
        CopyRow(source, y, bitCount, dib->Pixels() + stride * (source.height() - 1 - y));
    const bool realized = dib->Realize();
    dib->FreeDib();
    return realized ? std::move(dib) : nullptr;
}

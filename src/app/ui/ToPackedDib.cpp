#include "app/ui/ToPackedDib.h"

#include <cstring>

namespace {

// Indexed with a colour table of its own (one without a table has no colours to keep).
bool IsIndexed(const QImage& image) {
    if (image.colorCount() == 0) return false;
    return image.format() == QImage::Format_Indexed8 || image.format() == QImage::Format_Mono ||
           image.format() == QImage::Format_MonoLSB;
}

// The header and colour table of a packed DIB of that size and depth.
std::vector<uint8_t> HeaderBlock(const QImage& image, int bitCount) {
    const QList<QRgb> colors = bitCount == 8 ? image.colorTable() : QList<QRgb>();
    BitmapInfoHeader header;
    header.biWidth = image.width();
    header.biHeight = image.height();
    header.biBitCount = static_cast<uint16_t>(bitCount);
    header.biSizeImage =
        static_cast<uint32_t>(DibStride(static_cast<size_t>(image.width()), bitCount) *
                              static_cast<size_t>(image.height()));
    header.biClrUsed = static_cast<uint32_t>(colors.size());
    std::vector<uint8_t> block(sizeof header + colors.size() * sizeof(RgbQuad));
    std::memcpy(block.data(), &header, sizeof header);
    auto* table = reinterpret_cast<RgbQuad*>(block.data() + sizeof header);
    for (qsizetype i = 0; i < colors.size(); ++i)
        table[i] =
            RgbQuad{static_cast<uint8_t>(qBlue(colors[i])), static_cast<uint8_t>(qGreen(colors[i])),
                    static_cast<uint8_t>(qRed(colors[i])), 0};
    return block;
}

// Appends one packed row: the indices, or B, G, R of every pixel of an RGB32 image.
void AppendRow(const QImage& image, int y, int bitCount, size_t stride, std::vector<uint8_t>& out) {
    const size_t start = out.size();
    out.resize(start + stride, 0);
    uint8_t* row = out.data() + start;
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

std::vector<uint8_t> ToPackedDib(const QImage& image) {
    if (image.isNull()) return {};
    const int bitCount = IsIndexed(image) ? 8 : 24;
    const QImage source =
        image.convertToFormat(bitCount == 8 ? QImage::Format_Indexed8 : QImage::Format_RGB32);
    std::vector<uint8_t> packed = HeaderBlock(source, bitCount);
    const size_t stride = DibStride(static_cast<size_t>(source.width()), bitCount);
    packed.reserve(packed.size() + stride * static_cast<size_t>(source.height()));
    for (int y = source.height() - 1; y >= 0; --y)
        AppendRow(source, y, bitCount, stride, packed);
    return packed;
}

std::unique_ptr<CDibImage> ToDibImage(const QImage& image) {
    const std::vector<uint8_t> packed = ToPackedDib(image);
    auto dib = std::make_unique<CDibImage>();
    if (packed.empty() || !dib->AdoptDib(packed.data(), packed.size(), nullptr, 0)) return nullptr;
    dib->FreeDib();
    return dib;
}

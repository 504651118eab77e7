#include "core/DibExtract.h"

#include "base/ByteReader.h"
#include "core/FixedPalette.h"
#include "core/NearestColor.h"

#include <vector>

namespace {

void StoreIndex(uint8_t* row, size_t x, int bitCount, uint8_t index) {
    switch (bitCount) {
    case 1:
        row[x >> 3] |= static_cast<uint8_t>((index & 1) << (7 - (x & 7)));
        break;
    case 4:
        row[x >> 1] |= static_cast<uint8_t>((x & 1) ? index & 0x0F : index << 4);
        break;
    default:
        row[x] = index;
    }
}

// Reads the colours of a picture's device form by pixel offset.
class DeviceColors {
public:
    explicit DeviceColors(const CDibImage& image)
        : bits_(image.TrueColorPixels()), indices_(image.IndexPixels()),
          table_(image.DrawableColorTable()) {}
    // The colour (0x00RRGGBB) of the pixel at an offset.
    uint32_t At(size_t offset) const {
        return (bits_.empty() ? table_[indices_[offset]] : bits_[offset]) & 0xFFFFFF;
    }

private:
    std::span<const uint32_t> bits_;
    std::span<const uint8_t> indices_;
    std::span<const uint32_t, 256> table_;
};

void PackTrueColorRows(const CDibImage& image, size_t stride, uint8_t* pixels) {
    const DeviceColors colors(image);
    const size_t width = size_t(image.Width()), height = size_t(image.Height());
    for (size_t row = 0; row < height; ++row) {
        uint8_t* out = pixels + (height - 1 - row) * stride;
        for (size_t x = 0; x < width; ++x, out += 3) {
            uint32_t rgb = colors.At(row * width + x);
            out[0] = rgb & 0xFF, out[1] = rgb >> 8 & 0xFF, out[2] = rgb >> 16 & 0xFF;
        }
    }
}

void PackIndexRows(const CDibImage& image, size_t stride, int bitCount, bool sameDepth,
                   const std::vector<RgbQuad>& table, uint8_t* pixels) {
    const std::span<const uint8_t> indices = image.IndexPixels();
    const bool copyIndices = sameDepth && !indices.empty();
    CNearestColor nearest(copyIndices ? std::vector<RgbQuad>() : table);
    const DeviceColors colors(image);
    const size_t width = size_t(image.Width()), height = size_t(image.Height());
    for (size_t row = 0; row < height; ++row) {
        uint8_t* out = pixels + (height - 1 - row) * stride;
        for (size_t x = 0; x < width; ++x) {
            size_t at = row * width + x;
            StoreIndex(out, x, bitCount,
                       copyIndices ? indices[at] : nearest.IndexOf(colors.At(at)));
        }
    }
}

} // namespace

std::optional<PackedDib> ExtractDib(const CDibImage& image, int colorType) {
    if (colorType == -1) colorType = image.ColorType();
    const int bitCount = BitCountOfColorType(colorType);
    const size_t stride = DibStride(size_t(image.Width()), bitCount);
    size_t pixelBytes;
    if (bitCount == 0 || image.IsEmpty() ||
        !CheckedMultiply(stride, size_t(image.Height()), pixelBytes))
        return std::nullopt;
    std::optional<PackedDib> dib =
        PackedDib::Allocate(sizeof(BitmapInfoHeader) + sizeof(RgbQuad) * colorType, pixelBytes);
    if (!dib) return std::nullopt;
    BitmapInfoHeader& info = dib->Header();
    info = BitmapInfoHeader();
    info.biWidth = image.Width();
    info.biHeight = image.Height();
    info.biBitCount = static_cast<uint16_t>(bitCount);
    info.biSizeImage = pixelBytes <= UINT32_MAX ? static_cast<uint32_t>(pixelBytes) : 0;
    info.biClrUsed = info.biClrImportant = static_cast<uint32_t>(colorType);
    const std::vector<RgbQuad> table = ColorTableFor(image.Palette(), colorType);
    std::copy(table.begin(), table.end(), dib->ColorTable().begin());

    uint8_t* pixels = dib->Pixels().data();
    if (bitCount == 24)
        PackTrueColorRows(image, stride, pixels);
    else
        PackIndexRows(image, stride, bitCount, colorType == image.ColorType(), table, pixels);
    return dib;
}

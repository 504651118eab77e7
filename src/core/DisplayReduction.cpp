#include "core/DisplayReduction.h"

#include "base/ByteReader.h"
#include "core/DibDecode.h"
#include "core/DibFormat.h"
#include "core/FixedPalette.h"
#include "core/NearestColor.h"

#include <algorithm>
#include <cstring>

namespace {

// The 24-bit rows of a packed DIB, addressed from the bottom row up whatever their order.
class Rows24 {
public:
    Rows24(const DibFormat& format, uint8_t* pixels) : format_(format), pixels_(pixels) {}
    uint8_t* FromBottom(size_t y) const {
        size_t memoryRow = format_.topDown ? format_.height - 1 - y : y;
        return pixels_ + memoryRow * format_.Stride();
    }

private:
    const DibFormat& format_;
    uint8_t* pixels_;
};

int Clamp(int value, int high) {
    return std::clamp(value, 0, high);
}

// Raises a channel by 7 with the probability its low three bits give, in an 8 × 8 pattern.
void DitherTrueColorInPlace(const DibFormat& format, uint8_t* pixels) {
    static const uint8_t kPhase[8] = {0, 3, 6, 1, 4, 7, 2, 5};
    static const uint8_t kPattern[8] = {0x00, 0x10, 0x44, 0x92, 0x55, 0x6D, 0xBB, 0xEF};
    Rows24 rows(format, pixels);
    for (size_t y = 0; y < format.height; ++y) {
        uint8_t* p = rows.FromBottom(y);
        unsigned phase = kPhase[y & 7];
        for (size_t x = 0; x < format.width; ++x, ++phase) {
            uint8_t mask = static_cast<uint8_t>(1u << (phase & 7));
            for (int channel = 0; channel < 3; ++channel, ++p) {
                uint8_t v = *p;
                if (v != 0 && (kPattern[v & 7] & mask)) *p = v >= 249 ? 255 : v + 7;
            }
        }
    }
}

void MapRows(const DibFormat& format, uint8_t* source, CDibImage& target, int colors) {
    Rows24 rows(format, source);
    CNearestColor nearest(FixedPalette(colors));
    size_t stride = DibStride(format.width, 8);
    for (size_t y = 0; y < format.height; ++y) {
        const uint8_t* p = rows.FromBottom(y);
        uint8_t* out = target.Pixels() + y * stride;
        for (size_t x = 0; x < format.width; ++x, p += 3) {
            if (colors == 256)
                out[x] = DitherIndex256(p[0], p[1], p[2], x, y);
            else
                out[x] = nearest.IndexOf(uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 | p[0]);
        }
    }
}

std::unique_ptr<CDibImage> ReduceToTable(CDibImage& image, const DibFormat& format, int colors) {
    auto reduced = std::make_unique<CDibImage>();
    size_t pixelBytes;
    if (!CheckedMultiply(DibStride(format.width, 8), format.height, pixelBytes) ||
        !reduced->AllocateDib(sizeof(BitmapInfoHeader) + sizeof(RgbQuad) * colors, pixelBytes))
        return nullptr;
    BitmapInfoHeader info;
    info.biWidth = static_cast<int32_t>(format.width);
    info.biHeight = static_cast<int32_t>(format.height);
    info.biBitCount = 8;
    std::memcpy(reduced->HeaderBlock(), &info, sizeof info);
    const std::vector<RgbQuad> table = FixedPalette(colors);
    std::memcpy(reduced->ColorTable(), table.data(), table.size() * sizeof(RgbQuad));
    MapRows(format, image.Pixels(), *reduced, colors);
    return reduced;
}

// The format of an uncompressed 24-bit DIB whose rows are all there; false for any other DIB.
bool ParseReducible(CDibImage& image, DibFormat& format) {
    return ParseDibFormat(image.HeaderBlock(), image.HeaderSize(), format) &&
           format.bitCount == 24 && format.compression == kBiRgb &&
           FitsPixelBlock(format, image.PixelSize());
}

} // namespace

uint8_t DitherIndex256(uint8_t blue, uint8_t green, uint8_t red, size_t x, size_t y) {
    int k = static_cast<int>((x & 1) + 2 * ((x + y) & 1));
    int t = 256 * k - 128;
    int b = Clamp((blue + t / 16 - 16) / 64, 3);
    int g = Clamp((green + t / 32 - 8) / 32, 7);
    int r = Clamp((red + t / 32 - 8) / 32, 7);
    return static_cast<uint8_t>(b + 4 * r + 32 * g);
}

bool ScreenKeepsTrueColor(int screenDepth, int ditherFor16bit) {
    return screenDepth >= (ditherFor16bit ? 24 : 15);
}

int ReductionTarget(CDibImage& image, int screenDepth, int ditherFor16bit) {
    DibFormat format;
    if (!ParseReducible(image, format)) return 0;
    if (ScreenKeepsTrueColor(screenDepth, ditherFor16bit)) return 0;
    if (screenDepth <= 4) return 16;
    if (screenDepth <= 7) return 64;
    if (screenDepth <= 14) return 256;
    return kDitheredTrueColor;
}

std::unique_ptr<CDibImage> ReduceColors(std::unique_ptr<CDibImage> image, int target) {
    DibFormat format;
    if (!ParseReducible(*image, format)) return nullptr;
    if (target == kDitheredTrueColor) {
        DitherTrueColorInPlace(format, image->Pixels());
        image->Release(); // the reduced picture has no palette
        return image;
    }
    return ReduceToTable(*image, format, target);
}

std::unique_ptr<CDibImage> PrepareForDisplay(std::unique_ptr<CDibImage> image, int screenDepth,
                                             int ditherFor16bit) {
    if (!image) return nullptr;
    int target = ReductionTarget(*image, screenDepth, ditherFor16bit);
    if (target != 0) {
        image = ReduceColors(std::move(image), target);
    } else {
        DibFormat format;
        if (ParseDibFormat(image->HeaderBlock(), image->HeaderSize(), format) &&
            !format.IsIndexed() && format.colorCount > 0)
            image->SetPalette(format.colorTable, format.colorCount);
    }
    bool realized = image && image->Realize();
    if (image) image->FreeDib();
    return realized ? std::move(image) : nullptr;
}

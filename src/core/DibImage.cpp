#include "core/DibImage.h"

#include "base/ByteReader.h"
#include "base/MemoryLimit.h"
#include "base/PictureFaulter.h"
#include "core/DibDecode.h"
#include "core/DibFormat.h"
#include "core/FixedPalette.h"
#include "core/NearestColor.h"

#include <algorithm>
#include <cstring>
#include <exception>

namespace {

int BitCountOfColorType(int colorType) {
    switch (colorType) {
    case 0:
        return 24;
    case 2:
        return 1;
    case 16:
        return 4;
    case 256:
        return 8;
    default:
        return 0;
    }
}

template <typename Vector> void FreeVector(Vector& vector) {
    Vector().swap(vector);
}

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

} // namespace

int ColorTypeOf(int planes, int bitCount) {
    switch (planes * bitCount) {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

size_t DibStride(size_t width, int bitCount) {
    return (width * static_cast<size_t>(bitCount) + 31) / 32 * 4;
}

CDibImage::CDibImage() {
    drawableColors_.fill(DeviceWord(0, 0, 0));
}
CDibImage::~CDibImage() = default;

bool CDibImage::AllocateDib(size_t headerBytes, size_t pixelBytes) {
    return Allocate(headerBytes, pixelBytes, true);
}

bool CDibImage::AllocateUnfilledDib(size_t headerBytes, size_t pixelBytes) {
    return Allocate(headerBytes, pixelBytes, false);
}

bool CDibImage::Allocate(size_t headerBytes, size_t pixelBytes, bool zeroed) {
    if (!FitsMemoryLimit(PictureBytes(1, headerBytes) + PictureBytes(1, pixelBytes))) return false;
    try {
        if (headerBytes) header_ = std::vector<uint8_t>(headerBytes);
        if (pixelBytes) {
            PackedBytes pixels;
            pixels.resize(pixelBytes); // a new block: left as the allocator gives it
            if (zeroed && !PackedBytes::allocator_type::ComesZeroed(pixelBytes))
                std::fill(pixels.begin(), pixels.end(), uint8_t{0});
            pixels_.swap(pixels);
        }
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

void CDibImage::FreeDib() {
    FreeVector(header_);
    FreeVector(pixels_);
}

PackedBytes CDibImage::TakePackedPixels() {
    PackedBytes pixels = std::move(pixels_);
    FreeDib();
    return pixels;
}

bool CDibImage::ConvertOs2Header() {
    try {
        return ConvertCoreHeader(header_);
    } catch (const std::exception&) {
        return false;
    }
}

bool CDibImage::AdoptDib(const uint8_t* header, size_t headerSize, const uint8_t* pixels,
                         size_t pixelSize) {
    if (!header) return false;
    size_t headerEnd = headerSize;
    if (!pixels) {
        headerEnd = DibHeaderBlockEnd(header, headerSize);
        pixels = header + headerEnd;
        pixelSize = headerSize - headerEnd;
    }
    FreeDib();
    if (!AllocateUnfilledDib(headerEnd, pixelSize)) return false;
    std::copy(header, header + headerEnd, header_.begin());
    std::copy(pixels, pixels + pixelSize, pixels_.begin());
    return Realize();
}

bool CDibImage::Realize() {
    ++revision_;
    FreeVector(bits_);
    FreeVector(indices_);
    DibFormat format;
    size_t count;
    if (!ConvertOs2Header() || !ParseDibFormat(header_.data(), header_.size(), format) ||
        !FitsPixelBlock(format, pixels_.size()) ||
        !CheckedMultiply(format.width, format.height, count) ||
        !FitsMemoryLimit(PictureBytes(count, format.IsIndexed() ? 1 : sizeof(uint32_t))))
        return false;
    try {
        if (format.IsIndexed()) {
            std::vector<uint8_t> indices(count);
            DecodeIndexed(format, pixels_.data(), pixels_.size(), indices.data());
            SetPalette(format.colorTable, format.colorCount);
            indices_.swap(indices);
        } else {
            decltype(bits_) bits;
            bits.resize(count); // every row is decoded: no fill first
            PictureFaulter faulter;
            faulter.Start(bits.data(), count * sizeof(uint32_t));
            DecodeTrueColor(format, pixels_.data(), pixels_.size(), bits.data());
            faulter.Finish();
            bits_.swap(bits);
        }
    } catch (const std::exception&) {
        return false;
    }
    width_ = static_cast<int>(format.width);
    height_ = static_cast<int>(format.height);
    colorType_ = ColorTypeOf(format.planes, format.bitCount);
    return true;
}

bool CDibImage::CreateBlank(int width, int height, int colorType) {
    return Create(width, height, colorType, true);
}

bool CDibImage::CreateUnfilled(int width, int height) {
    return Create(width, height, 0, false);
}

bool CDibImage::Create(int width, int height, int colorType, bool fill) {
    if (width < 1 || height < 1 || BitCountOfColorType(colorType) == 0) return false;
    Release();
    size_t count = size_t(width) * size_t(height);
    if (!FitsMemoryLimit(PictureBytes(count, colorType == 0 ? sizeof(uint32_t) : 1))) return false;
    try {
        if (colorType == 0 && fill)
            bits_.assign(count, DeviceWord(0, 0, 0));
        else if (colorType == 0)
            bits_.resize(count);
        else
            indices_.assign(count, 0);
    } catch (const std::exception&) {
        Release();
        return false;
    }
    AssignPalette(FixedPalette(colorType));
    width_ = width, height_ = height, colorType_ = colorType;
    return true;
}

void CDibImage::Fill(uint32_t rgb) {
    ++revision_;
    if (!bits_.empty()) {
        std::fill(bits_.begin(), bits_.end(),
                  DeviceWord(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF));
        return;
    }
    CNearestColor nearest(TableFor(colorType_));
    std::fill(indices_.begin(), indices_.end(), nearest.IndexOf(rgb & 0xFFFFFF));
}

std::vector<RgbQuad> CDibImage::TableFor(int colorType) const {
    if (palette_.empty()) return FixedPalette(colorType);
    std::vector<RgbQuad> table(palette_.begin(),
                               palette_.begin() + std::min<size_t>(palette_.size(), colorType));
    table.resize(colorType);
    return table;
}

bool CDibImage::ExtractDib(int colorType, uint32_t compression) {
    if (colorType == -1) colorType = colorType_;
    int bitCount = BitCountOfColorType(colorType);
    size_t stride = DibStride(width_, bitCount);
    size_t pixelBytes;
    if (bitCount == 0 || compression != kBiRgb || IsEmpty() ||
        !CheckedMultiply(stride, size_t(height_), pixelBytes) ||
        !AllocateDib(sizeof(BitmapInfoHeader) + sizeof(RgbQuad) * colorType, pixelBytes)) {
        FreeDib();
        return false;
    }
    BitmapInfoHeader info;
    info.biWidth = width_;
    info.biHeight = height_;
    info.biBitCount = static_cast<uint16_t>(bitCount);
    info.biCompression = compression;
    info.biSizeImage = pixelBytes <= UINT32_MAX ? static_cast<uint32_t>(pixelBytes) : 0;
    info.biClrUsed = info.biClrImportant = static_cast<uint32_t>(colorType);
    std::memcpy(header_.data(), &info, sizeof info);
    const std::vector<RgbQuad> table = TableFor(colorType);
    if (!table.empty()) std::memcpy(ColorTable(), table.data(), table.size() * sizeof(RgbQuad));

    if (bitCount == 24)
        ExtractTrueColorRows(stride);
    else
        ExtractIndexRows(stride, bitCount, colorType == colorType_, table);
    return true;
}

void CDibImage::ExtractTrueColorRows(size_t stride) {
    const size_t width = size_t(width_);
    for (size_t row = 0; row < size_t(height_); ++row) {
        uint8_t* out = pixels_.data() + (size_t(height_) - 1 - row) * stride;
        for (size_t x = 0; x < width; ++x, out += 3) {
            uint32_t rgb = ColorAt(row * width + x);
            out[0] = rgb & 0xFF, out[1] = rgb >> 8 & 0xFF, out[2] = rgb >> 16 & 0xFF;
        }
    }
}

void CDibImage::ExtractIndexRows(size_t stride, int bitCount, bool sameDepth,
                                 const std::vector<RgbQuad>& table) {
    const bool copyIndices = sameDepth && !indices_.empty();
    CNearestColor nearest(copyIndices ? std::vector<RgbQuad>() : table);
    const size_t width = size_t(width_);
    for (size_t row = 0; row < size_t(height_); ++row) {
        uint8_t* out = pixels_.data() + (size_t(height_) - 1 - row) * stride;
        for (size_t x = 0; x < width; ++x) {
            size_t at = row * width + x;
            StoreIndex(out, x, bitCount, copyIndices ? indices_[at] : nearest.IndexOf(ColorAt(at)));
        }
    }
}

uint32_t CDibImage::ColorAt(size_t offset) const {
    uint32_t word = bits_.empty() ? drawableColors_[indices_[offset]] : bits_[offset];
    return word & 0xFFFFFF;
}

size_t CDibImage::BytesPerLine() const {
    if (!bits_.empty()) return size_t(width_) * sizeof(uint32_t);
    return indices_.empty() ? 0 : size_t(width_);
}

void CDibImage::SetPalette(const RgbQuad* entries, size_t count) {
    AssignPalette(std::vector<RgbQuad>(entries, entries + std::min<size_t>(count, 256)));
}

void CDibImage::AssignPalette(std::vector<RgbQuad> entries) {
    ++revision_;
    palette_ = std::move(entries);
    palette_.resize(std::min(palette_.size(), drawableColors_.size()));
    drawableColors_.fill(DeviceWord(0, 0, 0));
    for (size_t i = 0; i < palette_.size(); ++i) {
        RgbQuad& entry = palette_[i];
        entry.rgbReserved = 0;
        drawableColors_[i] = DeviceWord(entry.rgbRed, entry.rgbGreen, entry.rgbBlue);
    }
}

uint32_t CDibImage::PixelColor(int x, int y) const {
    if (IsEmpty() || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    return ColorAt(size_t(y) * size_t(width_) + size_t(x));
}

void CDibImage::Release() {
    FreeVector(bits_);
    FreeVector(indices_);
    AssignPalette({});
}

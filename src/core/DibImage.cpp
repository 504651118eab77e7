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

template <typename Vector> void FreeVector(Vector& vector) {
    Vector().swap(vector);
}

} // namespace

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
    CNearestColor nearest(ColorTableFor(palette_, colorType_));
    std::fill(indices_.begin(), indices_.end(), nearest.IndexOf(rgb & 0xFFFFFF));
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

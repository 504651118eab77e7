#include "core/PackedDib.h"

#include "base/MemoryLimit.h"

#include <algorithm>
#include <exception>
#include <utility>

namespace {

size_t ColorCount(size_t headerBytes) {
    return headerBytes < sizeof(BitmapInfoHeader)
               ? 0
               : (headerBytes - sizeof(BitmapInfoHeader)) / sizeof(RgbQuad);
}

} // namespace

std::optional<PackedDib> PackedDib::Allocate(size_t headerBytes, size_t pixelBytes, Fill fill) {
    if (!FitsMemoryLimit(PictureBytes(1, headerBytes) + PictureBytes(1, pixelBytes)))
        return std::nullopt;
    PackedDib dib;
    try {
        dib.header_.resize(headerBytes);
        dib.pixels_.resize(pixelBytes); // a new block: left as the allocator gives it
    } catch (const std::exception&) {
        return std::nullopt;
    }
    if (fill == Fill::Zeroed && !PackedBytes::allocator_type::ComesZeroed(pixelBytes))
        std::fill(dib.pixels_.begin(), dib.pixels_.end(), uint8_t{0});
    return dib;
}

const BitmapInfoHeader& PackedDib::Header() const {
    return *reinterpret_cast<const BitmapInfoHeader*>(header_.data());
}

BitmapInfoHeader& PackedDib::Header() {
    return const_cast<BitmapInfoHeader&>(std::as_const(*this).Header());
}

std::span<const RgbQuad> PackedDib::ColorTable() const {
    const size_t count = ColorCount(header_.size());
    return {count ? reinterpret_cast<const RgbQuad*>(header_.data() + sizeof(BitmapInfoHeader))
                  : nullptr,
            count};
}

std::span<RgbQuad> PackedDib::ColorTable() {
    const std::span<const RgbQuad> table = std::as_const(*this).ColorTable();
    return {const_cast<RgbQuad*>(table.data()), table.size()};
}

#pragma once
// A picture's packed form, a packed DIB: the header block (a 40-byte header and its colour
// table) and the pixel block (bottom-up rows padded to 4 bytes). A value that owns both blocks:
// ExtractDib makes one from a picture for a writer or an image operation to read, and the code
// that fills one writes through the non-const accessors.
#include "base/PictureAllocator.h"
#include "core/DibTypes.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// A packed pixel block; picture-sized ones live in huge pages (see PictureAllocator).
using PackedBytes = std::vector<uint8_t, PictureAllocator<uint8_t>>;

class PackedDib {
public:
    enum class Fill { Zeroed, Unfilled };

    PackedDib() = default;
    PackedDib(PackedDib&&) noexcept = default;
    PackedDib& operator=(PackedDib&&) noexcept = default;
    PackedDib(const PackedDib&) = delete;
    PackedDib& operator=(const PackedDib&) = delete;

    // Both blocks, the header block zeroed; the pixel block too unless the filler writes every
    // byte before any is read (Unfilled). None beyond the memory limit or when memory runs out.
    static std::optional<PackedDib> Allocate(size_t headerBytes, size_t pixelBytes,
                                             Fill fill = Fill::Zeroed);

    // The header block; the header and the colour table are read from it when it holds at
    // least the 40-byte header.
    std::span<const uint8_t> HeaderBlock() const { return header_; }
    std::span<uint8_t> HeaderBlock() { return header_; }
    const BitmapInfoHeader& Header() const;
    BitmapInfoHeader& Header();
    // The entries that follow the header in the header block.
    std::span<const RgbQuad> ColorTable() const;
    std::span<RgbQuad> ColorTable();
    std::span<const uint8_t> Pixels() const { return pixels_; }
    std::span<uint8_t> Pixels() { return pixels_; }
    // Hands the pixel block over without a copy.
    PackedBytes TakePixels() && { return std::move(pixels_); }

private:
    std::vector<uint8_t> header_;
    PackedBytes pixels_;
};

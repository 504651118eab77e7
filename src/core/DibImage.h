#pragma once
// The image buffer: one picture in its device form (the pixel store that stands in for the
// platform bitmap and palette) and, only while a reader or an operation fills it, in its
// packed-DIB form (a BITMAPINFOHEADER with colour table, and bottom-up rows padded to 4 bytes).
//
// The device form is drawn straight from its memory, so its layout is fixed:
// - true colour (TrueColorPixels): one 32-bit word 0xFFRRGGBB per pixel (B, G, R, 0xFF in memory
//   on little endian), top row first, BytesPerLine() = width × 4 bytes a row, no padding; it
//   wraps as a QImage::Format_RGB32, which needs the top byte 0xFF.
// - palette images (IndexPixels): one index byte per pixel, top row first, BytesPerLine() =
//   width bytes a row, no padding; DrawableColorTable() gives 256 words 0xFFRRGGBB, the image's
//   own palette entries followed by black ones, so that a QImage::Format_Indexed8 can wrap it
//   and an index beyond the own palette shows black. The own palette (Palette) keeps its size:
//   the colour type, extraction (ExtractDib) and the writers see only the image's own entries.
// Revision() grows whenever the device form's pixels or palette change; memory wrapped for
// drawing stays valid until then.
#include "core/DibTypes.h"
#include "core/PackedDib.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

class CDibImage {
public:
    CDibImage();
    ~CDibImage();
    CDibImage(const CDibImage&) = delete;
    CDibImage& operator=(const CDibImage&) = delete;

    // --- packed form -------------------------------------------------------------------
    // Allocates (zeroed) the header block and/or the pixel block; a size of 0 leaves that block.
    bool AllocateDib(size_t headerBytes, size_t pixelBytes);
    // The same, for a reader that writes every pixel byte before any is read: the pixel block
    // is not filled first.
    bool AllocateUnfilledDib(size_t headerBytes, size_t pixelBytes);
    void FreeDib();
    // Hands the packed pixel block to the caller without a copy and frees the packed form.
    PackedBytes TakePackedPixels();
    uint8_t* HeaderBlock() { return header_.data(); }
    size_t HeaderSize() const { return header_.size(); }
    BitmapInfoHeader* Header() { return reinterpret_cast<BitmapInfoHeader*>(header_.data()); }
    RgbQuad* ColorTable() { return reinterpret_cast<RgbQuad*>(header_.data() + 40); }
    uint8_t* Pixels() { return pixels_.data(); }
    size_t PixelSize() const { return pixels_.size(); }
    // The header block (header and colour table) and the pixel block, read-only.
    std::span<const uint8_t> PackedHeader() const { return header_; }
    std::span<const uint8_t> PackedPixels() const { return pixels_; }

    // Rewrites a header block that holds a 12-byte OS/2 header as a 40-byte one (colours used =
    // 2, 16, 256 or 0 for 1, 4, 8, 24 bits); false for another OS/2 bit count or a cut block.
    bool ConvertOs2Header();
    // Takes a packed DIB (header with colour table, then pixels; both copied) and realizes it.
    // With null pixels they follow the colour table within the header bytes.
    bool AdoptDib(const uint8_t* header, size_t headerSize, const uint8_t* pixels,
                  size_t pixelSize);
    // Makes the device form from the packed DIB: every depth and compression a packed DIB may
    // have (1/4/8/16/24/32 bit, RLE4, RLE8, bit fields, top-down rows, OS/2 headers). Sets the
    // size and the colour type (from planes × bit count); a palette DIB's colour table becomes the
    // palette, a true-colour image keeps its palette. False for malformed data (the device form
    // is then empty).
    bool Realize();
    // --- device form ---------------------------------------------------------------------
    // Makes a blank device form (black, or index 0 of the fixed palette of the colour type:
    // 2, 16 or 256 entries); false for another colour type, a size below 1 or no memory.
    bool CreateBlank(int width, int height, int colorType);
    // A true-colour device form whose pixels the caller writes, every one of them, before any
    // is read (a decoder): not filled first.
    bool CreateUnfilled(int width, int height);
    // Sets every pixel to a colour (0x00RRGGBB; palette images take its nearest entry).
    void Fill(uint32_t rgb);
    // True when there is no device form (before a Realize or CreateBlank, after a Release).
    bool IsEmpty() const { return bits_.empty() && indices_.empty(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int ColorType() const { return colorType_; }
    void SetColorType(int colorType) { colorType_ = colorType; }
    // Bytes of one device-form row: width × 4 for true colour, width for indices, 0 when empty.
    size_t BytesPerLine() const;
    // True colour: 0xFFRRGGBB words, top row first (empty for a palette image).
    std::span<const uint32_t> TrueColorPixels() const { return bits_; }
    const uint32_t* Bits() const { return bits_.data(); }
    // The same, for a reader that decodes straight into a blank true-colour device form; it
    // counts as a change (see Revision), and the reader keeps the top bytes 0xFF.
    uint32_t* Bits() {
        ++revision_;
        return bits_.data();
    }
    // Palette images (colour type above 0): one index per pixel, top row first (empty for a
    // true-colour image).
    std::span<const uint8_t> IndexPixels() const { return indices_; }
    const uint8_t* Indices() const { return indices_.data(); }
    // The image's own palette entries (reserved bytes 0); a true-colour image may have some too.
    std::span<const RgbQuad> Palette() const { return palette_; }
    bool HasPalette() const { return !palette_.empty(); }
    // Takes at most 256 entries as the own palette.
    void SetPalette(const RgbQuad* entries, size_t count);
    // The own palette as 0xFFRRGGBB words, padded with black to 256 entries.
    std::span<const uint32_t, 256> DrawableColorTable() const { return drawableColors_; }
    // The colour of a pixel (x from the left, y from the top) as 0x00RRGGBB.
    uint32_t PixelColor(int x, int y) const;
    // Frees the device form and the palette; size and colour type stay.
    void Release();
    // Grows with every change of the device form's pixels or palette.
    uint64_t Revision() const { return revision_; }
    // For a reader that keeps writing through Bits() after taking it, once it has written.
    void MarkPixelsChanged() { ++revision_; }

    // Memory of the last BMP read / written: file size and header copy (for descriptions).
    uint32_t fileSize = 0;
    BitmapInfoHeader lastHeader{};

private:
    bool Allocate(size_t headerBytes, size_t pixelBytes, bool zeroed);
    bool Create(int width, int height, int colorType, bool fill);
    // The colour (0x00RRGGBB) of the pixel at an offset of the device form.
    uint32_t ColorAt(size_t offset) const;
    // Replaces the own palette and rebuilds the drawable table from it.
    void AssignPalette(std::vector<RgbQuad> entries);

    std::vector<uint8_t> header_;
    PackedBytes pixels_;
    int width_ = 0, height_ = 0, colorType_ = 0;
    std::vector<uint32_t, PictureAllocator<uint32_t>> bits_; // true colour device form
    std::vector<uint8_t> indices_;                           // palette device form
    std::vector<RgbQuad> palette_;
    std::array<uint32_t, 256> drawableColors_;
    uint64_t revision_ = 0;
};

// Adapts a filled packed DIB to a screen of the given depth and realizes it; returns the buffer
// to keep (the same or a reduced one) or null on failure. The packed form is freed.
std::unique_ptr<CDibImage> PrepareForDisplay(std::unique_ptr<CDibImage> image, int screenDepth,
                                             int ditherFor16bit);

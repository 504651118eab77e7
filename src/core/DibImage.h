#pragma once
// The image buffer: one picture in its device form (the pixel store that stands in for the
// platform bitmap and palette) and, only during a load, a save or a clipboard copy, in its
// packed-DIB form (a BITMAPINFOHEADER with colour table, and bottom-up rows padded to 4 bytes).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#pragma pack(push, 1)
struct BitmapInfoHeader {
    uint32_t biSize = 40;
    int32_t biWidth = 0;
    int32_t biHeight = 0;
    uint16_t biPlanes = 1;
    uint16_t biBitCount = 0;
    uint32_t biCompression = 0;
    uint32_t biSizeImage = 0;
    int32_t biXPelsPerMeter = 0;
    int32_t biYPelsPerMeter = 0;
    uint32_t biClrUsed = 0;
    uint32_t biClrImportant = 0;
};
struct RgbQuad {
    uint8_t rgbBlue = 0, rgbGreen = 0, rgbRed = 0, rgbReserved = 0;
};
#pragma pack(pop)
static_assert(sizeof(BitmapInfoHeader) == 40);

constexpr uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3;

// Colour types: 0 true colour, 2 / 16 / 256 palette entries.
int ColorTypeOf(int planes, int bitCount);
// Bytes of one packed row of the given depth, padded to a multiple of 4.
size_t DibStride(size_t width, int bitCount);

class CDibImage {
public:
    CDibImage();
    ~CDibImage();
    CDibImage(const CDibImage&) = delete;
    CDibImage& operator=(const CDibImage&) = delete;

    // --- packed form -------------------------------------------------------------------
    // Allocates (zeroed) the header block and/or the pixel block; a size of 0 leaves that block.
    bool AllocateDib(size_t headerBytes, size_t pixelBytes);
    void FreeDib();
    uint8_t* HeaderBlock() { return header_.data(); }
    size_t HeaderSize() const { return header_.size(); }
    BitmapInfoHeader* Header() { return reinterpret_cast<BitmapInfoHeader*>(header_.data()); }
    RgbQuad* ColorTable() { return reinterpret_cast<RgbQuad*>(header_.data() + 40); }
    uint8_t* Pixels() { return pixels_.data(); }
    size_t PixelSize() const { return pixels_.size(); }

    // Takes a packed DIB (header with colour table, then pixels; both copied), sets size and
    // colour type (a non-zero biClrUsed decides for palette images) and realizes it.
    bool AdoptDib(const uint8_t* header, size_t headerSize, const uint8_t* pixels, size_t pixelSize);
    // Makes the device form from the packed DIB: every depth and compression a packed DIB may
    // have (1/4/8/16/24/32 bit, RLE4, RLE8, bit fields). False for malformed data.
    bool Realize();
    // Builds the packed DIB at a colour type (-1 = current) from the device form; pixels are
    // mapped to the nearest palette colour when the depth changes. False for other types.
    bool ExtractDib(int colorType, uint32_t compression);

    // --- device form ---------------------------------------------------------------------
    bool IsEmpty() const { return width_ == 0 || height_ == 0; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int ColorType() const { return colorType_; }
    void SetColorType(int colorType) { colorType_ = colorType; }
    // True colour: B,G,R,X per pixel, top row first (wraps as a QImage::Format_RGB32).
    const uint32_t* Bits() const { return bits_.data(); }
    // Palette images: one index per pixel, top row first, and the palette.
    const uint8_t* Indices() const { return indices_.data(); }
    const std::vector<RgbQuad>& Palette() const { return palette_; }
    bool HasPalette() const { return !palette_.empty(); }
    void SetPalette(const RgbQuad* entries, size_t count);
    // The colour of a pixel (x from the left, y from the top) as 0x00RRGGBB.
    uint32_t PixelColor(int x, int y) const;
    void Release();

    // Memory of the last BMP read / written: file size and header copy (for descriptions).
    uint32_t fileSize = 0;
    BitmapInfoHeader lastHeader{};

private:
    std::vector<uint8_t> header_;
    std::vector<uint8_t> pixels_;
    int width_ = 0, height_ = 0, colorType_ = 0;
    std::vector<uint32_t> bits_;   // true colour device form
    std::vector<uint8_t> indices_; // palette device form
    std::vector<RgbQuad> palette_;
};

// Adapts a filled packed DIB to the screen depth (platform) and realizes it; returns the buffer
// to keep (the same or a reduced one) or null on failure. The packed form is freed.
std::unique_ptr<CDibImage> PrepareForDisplay(std::unique_ptr<CDibImage> image, int ditherFor16bit);

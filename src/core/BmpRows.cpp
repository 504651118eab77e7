#include "core/BmpRows.h"

#include "base/PictureFaulter.h"
#include "core/DibDecode.h"

#include <algorithm>
#include <climits>
#include <exception>
#include <vector>

namespace {

// Rows are read about this many bytes at a time: large reads, a buffer that stays in cache.
constexpr size_t kStretchBytes = size_t{1} << 20;

bool ReadStretches(std::FILE* file, const DibFormat& format, size_t pixelBytes, uint32_t* picture) {
    const size_t stride = format.Stride();
    const size_t rowsPerStretch = std::max<size_t>(1, kStretchBytes / stride);
    PictureFaulter faulter;
    faulter.Start(picture, format.width * format.height * sizeof(uint32_t));
    const CTrueColorRows rows(format);
    std::vector<uint8_t> stretch(rowsPerStretch * stride);
    for (size_t first = 0, count = 0; first < format.height; first += count) {
        count = std::min(rowsPerStretch, format.height - first);
        // The last row may lack its padding at the end of the file.
        const size_t wanted = std::min(count * stride, pixelBytes - first * stride);
        if (std::fread(stretch.data(), 1, wanted, file) != wanted) return false;
        rows.Decode(stretch.data(), first, count, picture);
    }
    return true;
}

} // namespace

bool ReadsRowsToDevice(const DibFormat& format, size_t pixelBytes) {
    return !format.IsIndexed() && format.width >= 1 && format.height >= 1 &&
           format.width <= INT_MAX && format.height <= INT_MAX &&
           FitsPixelBlock(format, pixelBytes);
}

bool ReadRowsToDevice(std::FILE* file, const DibFormat& format, size_t pixelBytes,
                      CDibImage& image) {
    if (!image.CreateUnfilled(static_cast<int>(format.width), static_cast<int>(format.height)))
        return false;
    if (format.colorCount > 0) image.SetPalette(format.colorTable, format.colorCount);
    bool read = false;
    try {
        read = ReadStretches(file, format, pixelBytes, image.Bits());
    } catch (const std::exception&) {
        read = false;
    }
    if (!read) image.Release();
    return read;
}

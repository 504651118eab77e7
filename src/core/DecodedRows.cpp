#include "core/DecodedRows.h"

#include "base/FileHandle.h"
#include "base/MemoryLimit.h"
#include "base/ReportError.h"
#include "core/PackedImage.h"
#include "core/PictureMemory.h"
#include "core/PixelLimit.h"
#include "core/PngRead.h"

#include <sys/stat.h>

namespace {

// A compressed picture of one colour takes a few bytes for many pixels; 4096 pixels a byte
// lets a 16-kilobyte file of any content open at 64 megapixels and more with its size.
constexpr size_t kEncodedPixelsPerByte = 4096;

void CopyRow(const uint8_t* source, uint8_t* target, const DecodedRows& rows, size_t y,
             bool composeAlpha) {
    const size_t width = static_cast<size_t>(rows.width);
    for (size_t x = 0; x < width; ++x, source += rows.channels, target += 3) {
        if (rows.channels == 4 && composeAlpha) {
            const unsigned alpha = source[3], background = CheckerboardLevel(x, y) * (255 - alpha);
            target[0] = static_cast<uint8_t>((background + source[2] * alpha) / 255);
            target[1] = static_cast<uint8_t>((background + source[1] * alpha) / 255);
            target[2] = static_cast<uint8_t>((background + source[0] * alpha) / 255);
        } else {
            target[0] = source[2];
            target[1] = source[1];
            target[2] = source[0];
        }
    }
}

} // namespace

std::optional<std::vector<uint8_t>> ReadEncodedFile(const char* name, const std::string& path) {
    FileHandle file = FileHandle::Open(path, "rb");
    struct stat info {};
    if (!file || fstat(fileno(file.get()), &info) != 0 || !S_ISREG(info.st_mode)) {
        ReportCannotOpen(name, path);
        return std::nullopt;
    }
    const uint64_t size = static_cast<uint64_t>(info.st_size);
    if (!CheckPictureMemory(name, path, size)) return std::nullopt;
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    if (std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
        ReportCannotOpen(name, path);
        return std::nullopt;
    }
    return bytes;
}

bool MayDecodePicture(const char* name, const std::string& path, uint64_t width, uint64_t height,
                      size_t maxPixels, uint64_t bytesPerPixel) {
    if (width == 0 || height == 0 || width > maxPixels / height) {
        ReportErrorId(name, path, StringId::NoMemory);
        return false;
    }
    return CheckPictureMemory(name, path,
                              PictureMemoryNeed(width, height, 24, width * height * bytesPerPixel));
}

std::unique_ptr<CDibImage> PictureFromRows(const DecodedRows& rows, bool composeAlpha) {
    std::unique_ptr<CDibImage> image = NewPackedImage(rows.width, rows.height, 24);
    if (!image) return nullptr;
    const size_t height = static_cast<size_t>(rows.height);
    const size_t stride = DibStride(static_cast<size_t>(rows.width), 24);
    for (size_t y = 0; y < height; ++y) // DIB rows go bottom-up
        CopyRow(rows.data + (height - 1 - y) * rows.stride, image->Pixels() + y * stride, rows, y,
                composeAlpha);
    return image;
}

size_t EncodedPixelLimit(uint64_t fileSize) {
    return PixelLimitForFile(fileSize, kEncodedPixelsPerByte);
}

std::optional<DecodedPicture> ScreenPicture(const char* name, const std::string& path,
                                            std::unique_ptr<CDibImage> image,
                                            const ImageReadOptions& options, uint64_t fileSize) {
    if (!image) {
        ReportErrorId(name, path, StringId::NoMemory);
        return std::nullopt;
    }
    DecodedPicture decoded;
    decoded.image = PrepareForScreen(std::move(image), options);
    if (!decoded.image) {
        ReportErrorId(name, path, StringId::NoBitmap);
        return std::nullopt;
    }
    decoded.facts.fileSize = fileSize > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(fileSize);
    return decoded;
}

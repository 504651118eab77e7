#include "core/BmpFile.h"

#include "base/ByteReader.h"
#include "base/FileHandle.h"
#include "base/PictureFaulter.h"
#include "base/ReportError.h"
#include "base/StringTable.h"
#include "core/BmpRows.h"
#include "core/DibExtract.h"
#include "core/DisplayReduction.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <span>
#include <sys/types.h>

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;

bool ReadExactly(std::FILE* file, uint8_t* out, size_t count) {
    return count == 0 || std::fread(out, 1, count, file) == count;
}

bool WriteAll(std::FILE* file, std::span<const uint8_t> bytes) {
    return bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

bool StreamSize(std::FILE* file, size_t& size) {
    if (fseeko(file, 0, SEEK_END) != 0) return false;
    off_t end = ftello(file);
    if (end < 0 || fseeko(file, 0, SEEK_SET) != 0) return false;
    size = static_cast<size_t>(end);
    return true;
}

enum class BmpRead { Failed, Packed, Realized };

// Loads the file's header block (everything between the file header and the pixels) and
// converts an OS/2 1.x header. Then either reads uncompressed true-colour rows straight into
// the device form (when `toDevice`: the picture is shown as it is), or loads the pixels into
// the packed form. Fails for a file too short for its own offsets, an OS/2 header that cannot
// be converted, or no memory.
BmpRead ReadBmpStream(CDibImage& image, std::FILE* file, bool toDevice) {
    size_t fileSize;
    uint8_t fileHeader[kFileHeaderSize];
    uint32_t pixelOffset;
    if (!StreamSize(file, fileSize) || !ReadExactly(file, fileHeader, sizeof fileHeader))
        return BmpRead::Failed;
    ByteReader reader(fileHeader, sizeof fileHeader);
    reader.Skip(10);
    reader.U32le(pixelOffset);
    image.fileSize = static_cast<uint32_t>(std::min<size_t>(fileSize, UINT32_MAX));
    if (pixelOffset < kFileHeaderSize + kCoreHeaderSize || pixelOffset > fileSize)
        return BmpRead::Failed;

    size_t headerBytes = pixelOffset - kFileHeaderSize, pixelBytes = fileSize - pixelOffset;
    if (!image.AllocateDib(headerBytes, 0) || !ReadExactly(file, image.HeaderBlock(), headerBytes))
        return BmpRead::Failed;
    image.lastHeader = BitmapInfoHeader();
    std::memcpy(&image.lastHeader, image.HeaderBlock(),
                std::min(headerBytes, sizeof(BitmapInfoHeader)));
    if (!image.ConvertOs2Header()) return BmpRead::Failed;
    DibFormat format;
    if (toDevice && ParseDibFormat(image.HeaderBlock(), image.HeaderSize(), format) &&
        ReadsRowsToDevice(format, pixelBytes)) {
        const bool read = ReadRowsToDevice(file, format, pixelBytes, image);
        image.FreeDib();
        return read ? BmpRead::Realized : BmpRead::Failed;
    }
    if (!image.AllocateUnfilledDib(0, pixelBytes)) return BmpRead::Failed;
    PictureFaulter faulter;
    faulter.Start(image.Pixels(), pixelBytes);
    return ReadExactly(file, image.Pixels(), pixelBytes) ? BmpRead::Packed : BmpRead::Failed;
}

std::unique_ptr<CDibImage> LoadBmpStream(std::FILE* file, const std::string& path,
                                         const ImageReadOptions& options,
                                         std::string& description) {
    auto image = std::make_unique<CDibImage>();
    const bool toDevice = ScreenKeepsTrueColor(options.screenDepth, options.ditherFor16bit);
    const BmpRead read = ReadBmpStream(*image, file, toDevice);
    if (read == BmpRead::Failed) {
        ReportErrorId("LoadBmpFile", path, StringId::NoBitmap);
        return nullptr;
    }
    const uint32_t fileSize = image->fileSize;
    const BitmapInfoHeader header = image->lastHeader;
    if (read == BmpRead::Packed) image = PrepareForScreen(std::move(image), options);
    if (!image) {
        ReportErrorId("LoadBmpFile", path, StringId::NoBitmap);
        return nullptr;
    }
    image->fileSize = fileSize;
    image->lastHeader = header;
    description = DescribeBmpHeader(header);
    return image;
}

std::string FormatSize(long width, long height) {
    char text[64];
    std::snprintf(text, sizeof text, LoadString(StringId::ImageSizeFormat).c_str(),
                  static_cast<int>(width), static_cast<int>(height));
    return text;
}

std::string FormatNumber(const char* format, long value) {
    char text[64];
    std::snprintf(text, sizeof text, format, static_cast<int>(value));
    return text;
}

} // namespace

std::unique_ptr<CDibImage> ReadBmpFile(const std::string& path, const ImageReadOptions& options,
                                       std::string& description) {
    FileHandle file = FileHandle::Open(path, "rb");
    if (!file) {
        ReportCannotOpen("LoadBmpFile", path);
        return nullptr;
    }
    return LoadBmpStream(file.get(), path, options, description);
}

std::unique_ptr<CDibImage> ReadBmpBytes(const uint8_t* bytes, size_t size, const std::string& path,
                                        const ImageReadOptions& options, std::string& description) {
    FileHandle file(size ? fmemopen(const_cast<uint8_t*>(bytes), size, "rb") : nullptr);
    if (!file) {
        ReportErrorId("LoadBmpFile", path, StringId::NoBitmap);
        return nullptr;
    }
    return LoadBmpStream(file.get(), path, options, description);
}

bool WriteBmpFile(const CDibImage& image, std::FILE* file, const std::string& path, int colorType,
                  std::string& description) {
    const std::optional<PackedDib> dib = ExtractDib(image, colorType);
    if (!dib || kFileHeaderSize + dib->HeaderBlock().size() + dib->Pixels().size() > UINT32_MAX) {
        ReportErrorId("SaveBmpFile", path, StringId::NoDib);
        return false;
    }
    const uint32_t pixelOffset = static_cast<uint32_t>(kFileHeaderSize + dib->HeaderBlock().size());
    const uint32_t fileSize = static_cast<uint32_t>(pixelOffset + dib->Pixels().size());
    const uint8_t fileHeader[kFileHeaderSize] = {'B',
                                                 'M',
                                                 uint8_t(fileSize),
                                                 uint8_t(fileSize >> 8),
                                                 uint8_t(fileSize >> 16),
                                                 uint8_t(fileSize >> 24),
                                                 0,
                                                 0,
                                                 0,
                                                 0,
                                                 uint8_t(pixelOffset),
                                                 uint8_t(pixelOffset >> 8),
                                                 uint8_t(pixelOffset >> 16),
                                                 uint8_t(pixelOffset >> 24)};
    bool written = WriteAll(file, fileHeader) && WriteAll(file, dib->HeaderBlock()) &&
                   WriteAll(file, dib->Pixels()) && std::fflush(file) == 0;
    const int error = errno; // why the write failed ("No space left on device")
    if (!written) {
        ReportError("SaveBmpFile", path, SystemErrorText(error));
        return false;
    }
    description = DescribeBmpHeader(dib->Header());
    return true;
}

std::string DescribeBmpHeader(const BitmapInfoHeader& header) {
    if (header.biSize == kCoreHeaderSize) {
        uint8_t raw[sizeof header];
        std::memcpy(raw, &header, sizeof raw);
        uint16_t width, height, planes, bitCount;
        ByteReader reader(raw, sizeof raw);
        reader.Skip(4);
        reader.U16le(width), reader.U16le(height), reader.U16le(planes), reader.U16le(bitCount);
        return FormatSize(width, height) + FormatNumber("OS/2 DIB(%dbit)", bitCount);
    }
    std::string size = FormatSize(header.biWidth, std::labs(long{header.biHeight}));
    switch (header.biCompression) {
    case kBiRgb:
        return size + FormatNumber("Windows BMP(%dbit)", header.biBitCount);
    case kBiRle8:
        return size + "Windows RLE(8bit)";
    case kBiRle4:
        return size + "Windows RLE(4bit)";
    case kBiBitfields:
        return size + FormatNumber("Bitfields BMP(%dbit)", header.biBitCount);
    default:
        return size + FormatNumber("Unknown BMP(%d)", static_cast<long>(header.biCompression));
    }
}

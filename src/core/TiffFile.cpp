#include "core/TiffFile.h"

#include "base/ByteReader.h"
#include "base/FileHandle.h"
#include "base/ReportError.h"
#include "base/StringTable.h"
#include "core/ImageFacts.h"
#include "core/JpegDescription.h"
#include "core/PixelLimit.h"
#include "jpegtools/IfdReader.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

namespace {

constexpr const char* kReaderName = "LoadTiffFile";
constexpr size_t kChunkBytes = 1 << 16;
// More samples a pixel than any real file has; a read buffer holds whole pixels.
constexpr size_t kMaxSamples = 255;

enum : uint16_t {
    kTagImageWidth = 256,
    kTagImageLength = 257,
    kTagBitsPerSample = 258,
    kTagCompression = 259,
    kTagPhotometric = 262,
    kTagStripOffsets = 273,
    kTagSamplesPerPixel = 277,
    kTagRowsPerStrip = 278,
    kTagStripByteCounts = 279,
    kTagPlanarConfig = 284,
    kTagColorMap = 320,
    kTagExifVersion = 0x9000,
};

enum Photometric : uint32_t { kWhiteIsZero = 0, kBlackIsZero = 1, kRgb = 2, kPalette = 3 };

// The layout the tags describe, once they passed the checks.
struct TiffLayout {
    size_t width = 0, height = 0;
    uint32_t photometric = 0;
    size_t samplesPerPixel = 1;
    const CIfdEntry* stripOffsets = nullptr;
    const CIfdEntry* stripByteCounts = nullptr;
    const CIfdEntry* colorMap = nullptr;
    bool Indexed() const { return photometric != kRgb; }
};

std::string Detail(const char* format, uint32_t a, uint32_t b = 0) {
    char text[64];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

// Values an entry really holds: its count, as far as its bytes reach.
size_t ValueCount(const CIfdReader& reader, const CIfdEntry& entry) {
    size_t size = reader.TypeSize(entry);
    return size == 0 ? 0 : std::min<size_t>(entry.Count(), entry.ValueSize() / size);
}

uint32_t ValueAt(const CIfdReader& reader, const CIfdEntry& entry, size_t index) {
    return reader.GetValueAt(entry, index * reader.TypeSize(entry));
}

std::optional<std::string> CheckBitsPerSample(const CIfdReader& reader, const CIfdEntry& entry) {
    for (size_t i = 0; i < ValueCount(reader, entry); ++i)
        if (uint32_t bits = ValueAt(reader, entry, i); bits != 8)
            return Detail("BitsPerSample:%u=%u", static_cast<uint32_t>(i), bits);
    return std::nullopt;
}

// Checks the tags in order; the first failure gives the detail text of the refusal.
std::optional<std::string> CheckLayout(const CIfdReader& reader, TiffLayout& layout) {
    const std::string formatError = "Format Error";
    const CIfdEntry* width = reader.FindTag(kTagImageWidth);
    const CIfdEntry* height = reader.FindTag(kTagImageLength);
    const CIfdEntry* bits = reader.FindTag(kTagBitsPerSample);
    const CIfdEntry* compression = reader.FindTag(kTagCompression);
    const CIfdEntry* photometric = reader.FindTag(kTagPhotometric);
    if (!width || !height || !bits) return formatError;
    if (auto detail = CheckBitsPerSample(reader, *bits)) return detail;
    if (!compression) return formatError;
    if (uint32_t value = ValueAt(reader, *compression, 0); value != 1)
        return Detail("Compression=%u", value);
    if (!photometric) return formatError;
    layout.photometric = ValueAt(reader, *photometric, 0);
    if (layout.photometric > kPalette)
        return Detail("PhotometricInterpretation=%u", layout.photometric);
    const CIfdEntry* samples = reader.FindTag(kTagSamplesPerPixel);
    layout.samplesPerPixel = samples ? ValueAt(reader, *samples, 0) : layout.Indexed() ? 1 : 3;
    if (const CIfdEntry* planar = reader.FindTag(kTagPlanarConfig))
        if (uint32_t value = ValueAt(reader, *planar, 0); value != 1)
            return Detail("PlanarConfig=%u", value);
    layout.stripOffsets = reader.FindTag(kTagStripOffsets);
    layout.stripByteCounts = reader.FindTag(kTagStripByteCounts);
    if (!reader.FindTag(kTagRowsPerStrip) || !layout.stripOffsets || !layout.stripByteCounts)
        return formatError;
    layout.colorMap = reader.FindTag(kTagColorMap);
    if (layout.photometric == kPalette &&
        (!layout.colorMap || ValueCount(reader, *layout.colorMap) < 3))
        return std::string("No Color Map");
    layout.width = ValueAt(reader, *width, 0);
    layout.height = ValueAt(reader, *height, 0);
    // An RGB pixel needs its three bytes; a picture needs pixels.
    if (layout.samplesPerPixel < (layout.Indexed() ? 1u : 3u) ||
        layout.samplesPerPixel > kMaxSamples)
        return Detail("SamplesPerPixel=%u", static_cast<uint32_t>(layout.samplesPerPixel));
    if (layout.width == 0 || layout.height == 0) return formatError;
    return std::nullopt;
}

// Gray ramps (reversed for WhiteIsZero), or the ColorMap's high bytes: reds, greens, blues.
std::vector<RgbQuad> ColorTable(const CIfdReader& reader, const TiffLayout& layout) {
    std::vector<RgbQuad> table;
    if (layout.photometric == kPalette) {
        size_t entries = std::min<size_t>(ValueCount(reader, *layout.colorMap) / 3, 256);
        size_t n = ValueCount(reader, *layout.colorMap) / 3;
        for (size_t i = 0; i < entries; ++i)
            table.push_back(
                {static_cast<uint8_t>(ValueAt(reader, *layout.colorMap, 2 * n + i) >> 8),
                 static_cast<uint8_t>(ValueAt(reader, *layout.colorMap, n + i) >> 8),
                 static_cast<uint8_t>(ValueAt(reader, *layout.colorMap, i) >> 8), 0});
    } else if (layout.Indexed()) {
        for (int i = 0; i < 256; ++i) {
            auto level = static_cast<uint8_t>(layout.photometric == kWhiteIsZero ? 255 - i : i);
            table.push_back({level, level, level, 0});
        }
    }
    return table;
}

bool AllocatePicture(CDibImage& image, const TiffLayout& layout, const std::vector<RgbQuad>& table,
                     size_t maxPixels) {
    const int bitCount = layout.Indexed() ? 8 : 24;
    size_t pixels = 0, bytes = 0;
    size_t stride = DibStride(layout.width, bitCount);
    if (!CheckedMultiply(layout.width, layout.height, pixels) || pixels > maxPixels ||
        layout.width > INT32_MAX || layout.height > INT32_MAX ||
        !CheckedMultiply(stride, layout.height, bytes) ||
        !image.AllocateDib(40 + 4 * table.size(), bytes))
        return false;
    BitmapInfoHeader& header = *image.Header();
    header = BitmapInfoHeader{};
    header.biWidth = static_cast<int32_t>(layout.width);
    header.biHeight = static_cast<int32_t>(layout.height);
    header.biBitCount = static_cast<uint16_t>(bitCount);
    header.biClrUsed = table.size() < 256 ? static_cast<uint32_t>(table.size()) : 0;
    std::copy(table.begin(), table.end(), image.ColorTable());
    return true;
}

// Places pixels one after another, rows top-down into the bottom-up DIB.
class PixelSink {
public:
    PixelSink(CDibImage& image, const TiffLayout& layout)
        : image_(image), layout_(layout),
          stride_(DibStride(layout.width, layout.Indexed() ? 8 : 24)) {}

    bool Full() const { return row_ >= layout_.height; }
    size_t BytesStillWanted() const {
        return ((layout_.height - row_) * layout_.width - column_) * layout_.samplesPerPixel;
    }
    // Takes whole pixels from the bytes (a partial one at the end is left over).
    void Take(const uint8_t* bytes, size_t count) {
        const size_t step = layout_.samplesPerPixel;
        for (size_t at = 0; at + step <= count && !Full(); at += step) {
            uint8_t* out = image_.Pixels() + stride_ * (layout_.height - 1 - row_);
            if (layout_.Indexed()) {
                out[column_] = bytes[at];
            } else {
                out[3 * column_] = bytes[at + 2];
                out[3 * column_ + 1] = bytes[at + 1];
                out[3 * column_ + 2] = bytes[at];
            }
            if (++column_ == layout_.width) {
                column_ = 0;
                ++row_;
            }
        }
    }

private:
    CDibImage& image_;
    const TiffLayout& layout_;
    size_t stride_;
    size_t row_ = 0, column_ = 0;
};

// Reads the strips in order until the picture is full or the strips (or the file) end; rows
// no strip reaches stay black.
void ReadStrips(std::FILE* file, const CIfdReader& reader, const TiffLayout& layout,
                PixelSink& sink) {
    const size_t strips = std::min(ValueCount(reader, *layout.stripOffsets),
                                   ValueCount(reader, *layout.stripByteCounts));
    const size_t chunkBytes = kChunkBytes / layout.samplesPerPixel * layout.samplesPerPixel;
    std::vector<uint8_t> chunk(std::max(chunkBytes, layout.samplesPerPixel));
    for (size_t strip = 0; strip < strips && !sink.Full(); ++strip) {
        if (std::fseek(file, static_cast<long>(ValueAt(reader, *layout.stripOffsets, strip)),
                       SEEK_SET) != 0)
            continue;
        size_t left = std::min<size_t>(ValueAt(reader, *layout.stripByteCounts, strip),
                                       sink.BytesStillWanted());
        while (left > 0) {
            size_t got = std::fread(chunk.data(), 1, std::min(left, chunk.size()), file);
            sink.Take(chunk.data(), got);
            if (got < std::min(left, chunk.size())) break;
            left -= got;
        }
    }
}

std::string Describe(const CIfdReader& reader, const TiffLayout& layout, bool& exif) {
    std::string text =
        FormatImageSize(static_cast<int>(layout.width), static_cast<int>(layout.height)) + "TIFF";
    const CIfdEntry* version = reader.FindTag(kTagExifVersion);
    exif = version != nullptr;
    if (exif) {
        std::string number = reader.GetText(*version);
        text += "(Exif" + ExifVersionNumber(number.data(), number.size()) + ")";
    }
    text += layout.photometric == kRgb       ? " (RGB)"
            : layout.photometric == kPalette ? " (Idx)"
                                             : " (Gray)";
    return text;
}

uint64_t FileLength(std::FILE* file) {
    if (std::fseek(file, 0, SEEK_END) != 0) return 0;
    long length = std::ftell(file);
    return length > 0 ? static_cast<uint64_t>(length) : 0;
}

// Reads the pixels into a packed DIB; null (reported) when memory fails.
std::unique_ptr<CDibImage> ReadPicture(std::FILE* file, const std::string& path,
                                       const CIfdReader& reader, const TiffLayout& layout,
                                       const std::vector<RgbQuad>& table, size_t maxPixels) {
    auto image = std::make_unique<CDibImage>();
    if (!AllocatePicture(*image, layout, table, maxPixels)) {
        image->FreeDib();
        ReportErrorId(kReaderName, path, StringId::NoMemory);
        return nullptr;
    }
    PixelSink sink(*image, layout);
    ReadStrips(file, reader, layout, sink);
    return image;
}

} // namespace

std::optional<DecodedPicture> ReadTiffStream(std::FILE* file, const std::string& path,
                                             size_t maxPixels, const ImageReadOptions& options) {
    auto reader = std::make_unique<CIfdReader>();
    if (reader->ParseTiffStream(file) <= 0) {
        ReportErrorId(kReaderName, path, StringId::CannotOpen);
        return std::nullopt;
    }
    TiffLayout layout;
    if (std::optional<std::string> detail = CheckLayout(*reader, layout)) {
        ReportError(kReaderName, path,
                    LoadString(StringId::UnsupportedTiff) + "\r\n(" + *detail + ")");
        return std::nullopt;
    }
    const std::vector<RgbQuad> table = ColorTable(*reader, layout);
    std::unique_ptr<CDibImage> image = ReadPicture(file, path, *reader, layout, table, maxPixels);
    if (!image) return std::nullopt;
    DecodedPicture decoded;
    decoded.image = PrepareForScreen(std::move(image), options);
    if (!decoded.image) {
        ReportErrorId(kReaderName, path, StringId::NoBitmap);
        return std::nullopt;
    }
    ImageFacts& facts = decoded.facts;
    facts.palette = table;
    facts.grayscale = layout.photometric <= kBlackIsZero;
    facts.bitsPerSample = 8;
    bool exif = false;
    facts.description = Describe(*reader, layout, exif);
    if (exif) facts.exif = ExifData::FromReader(std::move(reader));
    return decoded;
}

std::optional<DecodedPicture> ReadTiffFile(const std::string& path,
                                           const ImageReadOptions& options) {
    FileHandle file = FileHandle::Open(path, "rb");
    if (!file) {
        ReportCannotOpen(kReaderName, path);
        return std::nullopt;
    }
    const uint64_t fileSize = FileLength(file.get());
    // An uncompressed file holds a byte or more for every pixel.
    std::optional<DecodedPicture> decoded =
        ReadTiffStream(file.get(), path, PixelLimitForFile(fileSize, 1), options);
    if (decoded)
        decoded->facts.fileSize = static_cast<uint32_t>(std::min<uint64_t>(fileSize, UINT32_MAX));
    return decoded;
}

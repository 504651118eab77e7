#include "core/PngRead.h"

#include "base/ByteReader.h"
#include "base/FileHandle.h"
#include "base/MemoryLimit.h"
#include "base/ReportError.h"
#include "core/PictureMemory.h"
#include "core/PngDescription.h"
#include "core/PngMessages.h"
#include "settings/SettingsStore.h"

#include <cmath>
#include <csetjmp>
#include <memory>
#include <new>

#include <png.h>

PngLoadOptions PngLoadOptions::FromSettings(const SettingsStore& settings) {
    PngLoadOptions options;
    options.useTransparentOnLoad = settings.useTransparentOnLoad != 0;
    options.useGammaCorrection = settings.useGammaCorrection != 0;
    options.useDefaultGammaOnLoad = settings.useDefaultGammaOnLoad != 0;
    options.defaultGamma = settings.defaultGamma;
    options.screenGamma = settings.screenGamma;
    return options;
}

namespace {

constexpr const char* kReportName = "LoadPngFile";
// Deflate expands at most 1032-fold, so the image data cannot be larger than this many times
// the file (plus a little for tiny files); a header claiming more is a broken or hostile file.
constexpr uint64_t kMaxInflateRatio = 1032;
constexpr uint64_t kInflateSlack = 1 << 16;

enum class Outcome { Done, LibraryError, NoMemory, AboveMemoryLimit };

// Everything one read works on. It lives in the caller of the setjmp frame, so a longjmp from
// libpng leaves it intact and its destructor releases libpng's structures.
struct ReadJob {
    ReadJob(const PngLoadOptions& loadOptions, CDibImage& target, PngFileFacts& fileFacts)
        : options(loadOptions), image(target), facts(fileFacts) {}
    ~ReadJob() { png_destroy_read_struct(&png, &info, nullptr); }

    const PngLoadOptions& options;
    CDibImage& image;
    PngFileFacts& facts;
    uint64_t fileLength = 0; // 0 when unknown
    png_structp png = nullptr;
    png_infop info = nullptr;
    PngFailure failure;
    PngLayout layout;
    bool compose = false;            // transparent pixels go over the checkerboard
    bool keepIndexed = false;        // 8-bit indices with a colour table
    double gammaProduct = 0;         // file gamma × screen gamma when libpng corrects
    size_t stride = 0;               // of the pixel block
    std::unique_ptr<uint8_t[]> rgba; // composed files: RGBA rows, bottom-up
    std::vector<png_bytep> rows;
    uint64_t memoryNeed = 0; // everything the picture takes while it is read and shown
};

bool UsableGamma(double gamma) {
    return std::isfinite(gamma) && gamma > 0 && gamma < 21474;
}

// A tRNS sample of the file's bit depth brought to 8 bits.
uint8_t SampleTo8Bits(unsigned value, int bitDepth) {
    unsigned scaled = bitDepth == 16 ? value / 257
                      : bitDepth < 8 ? value * (255 / ((1u << bitDepth) - 1))
                                     : value;
    return static_cast<uint8_t>(scaled > 255 ? 255 : scaled);
}

void ReadPalette(ReadJob& job) {
    png_colorp entries = nullptr;
    int count = 0;
    if (!png_get_PLTE(job.png, job.info, &entries, &count) || count <= 0) return;
    job.facts.palette.resize(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        job.facts.palette[i] = RgbQuad{entries[i].blue, entries[i].green, entries[i].red, 0};
}

void ReadTransparency(ReadJob& job) {
    if (!png_get_valid(job.png, job.info, PNG_INFO_tRNS)) return;
    png_bytep alpha = nullptr;
    int count = 0;
    png_color_16p color = nullptr;
    png_get_tRNS(job.png, job.info, &alpha, &count, &color);
    if (count < 1) return;
    RgbQuad& transparent = job.facts.transparentColor;
    const int depth = job.layout.bitDepth;
    if (job.layout.colorType == PNG_COLOR_TYPE_PALETTE) {
        // The last entry with an alpha value stands for the transparent colour.
        if (job.facts.palette.empty()) return;
        size_t index = std::min(static_cast<size_t>(count), job.facts.palette.size()) - 1;
        transparent = job.facts.palette[index];
    } else if (color && job.layout.colorType == PNG_COLOR_TYPE_RGB) {
        transparent = RgbQuad{SampleTo8Bits(color->blue, depth), SampleTo8Bits(color->green, depth),
                              SampleTo8Bits(color->red, depth), 0};
    } else if (color && job.layout.colorType == PNG_COLOR_TYPE_GRAY) {
        uint8_t gray = SampleTo8Bits(color->gray, depth);
        transparent = RgbQuad{gray, gray, gray, 0};
    } else {
        return;
    }
    job.facts.transparent = true;
    if (job.options.useTransparentOnLoad) {
        png_set_expand(job.png);
        job.compose = true;
    }
}

void SetUpTransformations(ReadJob& job) {
    png_structp png = job.png;
    const int colorType = job.layout.colorType;
    png_set_strip_16(png);
    if (!job.options.useTransparentOnLoad) png_set_strip_alpha(png);
    png_set_packing(png);
    png_set_packswap(png);
    if (colorType == PNG_COLOR_TYPE_PALETTE) ReadPalette(job);
    ReadTransparency(job);
    if (job.options.useTransparentOnLoad && (colorType & PNG_COLOR_MASK_ALPHA)) job.compose = true;

    if (colorType == PNG_COLOR_TYPE_PALETTE) {
        if (job.compose)
            png_set_expand(png);
        else
            job.keepIndexed = true;
    } else if (job.layout.IsGray()) {
        if (job.layout.bitDepth < 8) png_set_expand(png);
        if (job.compose) {
            png_set_gray_to_rgb(png);
        } else {
            job.facts.palette.resize(256);
            for (int i = 0; i < 256; ++i) {
                uint8_t level = static_cast<uint8_t>(i);
                job.facts.palette[i] = RgbQuad{level, level, level, 0};
            }
            job.keepIndexed = true;
        }
    }
    // 24-bit rows are stored blue, green, red.
    if (!job.compose && !job.keepIndexed) png_set_bgr(png);
}

// Files with sRGB are shown as they are; others are corrected from their gAMA (or the default
// gamma) to the screen gamma.
void SetUpGamma(ReadJob& job) {
    int intent = 0;
    if (png_get_sRGB(job.png, job.info, &intent)) {
        png_set_sRGB(job.png, job.info, intent);
        return;
    }
    double fileGamma = 0;
    if (png_get_gAMA(job.png, job.info, &fileGamma)) {
        job.facts.gamma = fileGamma;
        job.facts.gammaPresent = true;
    }
    const PngLoadOptions& options = job.options;
    double correction =
        job.facts.gammaPresent && !options.useDefaultGammaOnLoad ? fileGamma : options.defaultGamma;
    // Gammas that libpng refuses would make every file fail; they mean "no correction".
    if (!options.useGammaCorrection || !UsableGamma(correction) ||
        !UsableGamma(options.screenGamma))
        return;
    png_set_gamma(job.png, options.screenGamma, correction);
    job.gammaProduct = correction * options.screenGamma;
}

void CheckPlausibleSize(ReadJob& job) {
    const PngLayout& layout = job.layout;
    uint64_t rowBytes = (static_cast<uint64_t>(layout.width) * layout.PixelDepth() + 7) / 8 + 1;
    uint64_t rawBytes = rowBytes * layout.height;
    if (job.fileLength != 0 && rawBytes / kMaxInflateRatio > job.fileLength + kInflateSlack)
        png_error(job.png, "image data larger than the file can hold");
}

// The rows libpng delivers after the transformations must be what the buffers are made for.
void CheckOutputLayout(ReadJob& job) {
    const size_t channels = job.compose ? 4 : job.keepIndexed ? 1 : 3;
    if (png_get_bit_depth(job.png, job.info) != 8 ||
        png_get_channels(job.png, job.info) != channels ||
        png_get_rowbytes(job.png, job.info) != job.layout.width * channels)
        png_error(job.png, "unexpected row layout after transformations");
}

// The packed DIB, the RGBA rows of a composed file, the row pointers and the display form.
uint64_t MemoryNeed(const ReadJob& job) {
    const uint64_t width = job.layout.width, height = job.layout.height;
    const uint64_t rgba = job.compose ? PictureBytes(width * 4, height) : 0;
    return PictureMemoryNeed(width, height, job.keepIndexed ? 8 : 24,
                             rgba + PictureBytes(height, sizeof(png_bytep)));
}

bool AllocateBuffers(ReadJob& job) {
    const size_t width = job.layout.width, height = job.layout.height;
    const size_t colors = job.keepIndexed ? job.facts.palette.size() : 0;
    size_t pixelBytes = 0;
    job.stride = DibStride(width, job.keepIndexed ? 8 : 24);
    if (!CheckedMultiply(job.stride, height, pixelBytes)) return false;
    try {
        job.image.FreeDib();
        if (!job.image.AllocateDib(sizeof(BitmapInfoHeader) + 4 * colors, pixelBytes)) return false;
        job.rows.resize(height);
    } catch (const std::bad_alloc&) {
        return false;
    }
    uint8_t* base = job.image.Pixels();
    size_t rowBytes = job.stride;
    if (job.compose) {
        size_t rgbaBytes = 0;
        if (!CheckedMultiply(width, 4, rowBytes) || !CheckedMultiply(rowBytes, height, rgbaBytes))
            return false;
        job.rgba.reset(new (std::nothrow) uint8_t[rgbaBytes]);
        if (!job.rgba) return false;
        base = job.rgba.get();
    }
    // Row i of the picture (from the top) is memory row height - 1 - i.
    for (size_t i = 0; i < height; ++i)
        job.rows[i] = base + (height - 1 - i) * rowBytes;
    return true;
}

void ReadTexts(ReadJob& job) {
    png_textp texts = nullptr;
    int count = png_get_text(job.png, job.info, &texts, nullptr);
    for (int i = 0; i < count; ++i) {
        PngTextEntry entry;
        entry.keyword = texts[i].key ? texts[i].key : "";
        entry.text = texts[i].text ? texts[i].text : "";
        entry.international = texts[i].compression >= PNG_ITXT_COMPRESSION_NONE;
        job.facts.texts.push_back(std::move(entry));
    }
}

// The libpng part of a read. Only the job (outside this frame) is changed after setjmp.
Outcome DecodeWithLibpng(ReadJob& job, std::FILE* file) {
    if (setjmp(png_jmpbuf(job.png))) return Outcome::LibraryError;
    png_init_io(job.png, file);
    png_set_sig_bytes(job.png, 0);
    png_read_info(job.png, job.info);
    job.layout = PngLayoutOf(job.png, job.info);
    CheckPlausibleSize(job);
    SetUpTransformations(job);
    SetUpGamma(job);
    job.facts.description = DescribePng(job.layout, job.facts.transparent, job.facts.gammaPresent);
    job.facts.grayscale = job.layout.IsGray();
    job.facts.bitsPerPixel = job.layout.PixelDepth();
    png_set_interlace_handling(job.png);
    png_read_update_info(job.png, job.info);
    CheckOutputLayout(job);
    job.memoryNeed = MemoryNeed(job);
    if (!FitsMemoryLimit(job.memoryNeed)) return Outcome::AboveMemoryLimit;
    if (!AllocateBuffers(job)) return Outcome::NoMemory;
    png_read_image(job.png, job.rows.data());
    png_read_end(job.png, job.info);
    ReadTexts(job);
    return Outcome::Done;
}

void ComposeOverCheckerboard(const ReadJob& job) {
    const size_t width = job.layout.width, height = job.layout.height;
    for (size_t y = 0; y < height; ++y) {
        const uint8_t* source = job.rgba.get() + y * width * 4;
        uint8_t* target = job.image.Pixels() + y * job.stride;
        for (size_t x = 0; x < width; ++x, source += 4, target += 3) {
            const unsigned alpha = source[3], background = CheckerboardLevel(x, y) * (255 - alpha);
            target[0] = static_cast<uint8_t>((background + source[2] * alpha) / 255);
            target[1] = static_cast<uint8_t>((background + source[1] * alpha) / 255);
            target[2] = static_cast<uint8_t>((background + source[0] * alpha) / 255);
        }
    }
}

// The colour table of an indexed picture. Palette entries are corrected here with libpng's
// 8-bit gamma curve, as libpng corrects the samples of gray files itself; libpng leaves a
// correction out when file gamma × screen gamma is within 0.05 of 1, and so does this.
void FillColorTable(ReadJob& job) {
    const std::vector<RgbQuad>& palette = job.facts.palette;
    RgbQuad* table = job.image.ColorTable();
    const bool correct =
        job.layout.colorType == PNG_COLOR_TYPE_PALETTE &&
        (job.gammaProduct > 1.05 || (job.gammaProduct > 0 && job.gammaProduct < 0.95));
    uint8_t curve[256];
    for (int i = 0; i < 256; ++i) {
        double corrected = i == 0 || i == 255 || !correct
                               ? i
                               : std::floor(255 * std::pow(i / 255.0, 1 / job.gammaProduct) + 0.5);
        curve[i] = static_cast<uint8_t>(corrected);
    }
    for (size_t i = 0; i < palette.size(); ++i)
        table[i] = RgbQuad{curve[palette[i].rgbBlue], curve[palette[i].rgbGreen],
                           curve[palette[i].rgbRed], 0};
}

void FillHeader(ReadJob& job) {
    BitmapInfoHeader& header = *job.image.Header();
    header = BitmapInfoHeader{};
    header.biWidth = static_cast<int32_t>(job.layout.width);
    header.biHeight = static_cast<int32_t>(job.layout.height);
    header.biBitCount = job.keepIndexed ? 8 : 24;
    if (job.keepIndexed && job.facts.palette.size() < 256)
        header.biClrUsed = static_cast<uint32_t>(job.facts.palette.size());
}

// libpng allocates a chunk's declared length before it finds the data missing, so a few bytes
// can make it claim gigabytes. Walks the chunk headers up to IEND (leaving the stream where it
// was) and refuses a chunk that runs past the end of the file.
bool ChunkLengthsFitFile(std::FILE* file, uint64_t fileLength) {
    constexpr size_t kSignatureBytes = 8, kHeaderBytes = 8, kCrcBytes = 4;
    const long start = std::ftell(file);
    if (start < 0 || fileLength == 0) return true; // not seekable: libpng alone decides
    bool fits = true;
    uint64_t position = kSignatureBytes;
    while (position + kHeaderBytes <= fileLength) {
        uint8_t bytes[kHeaderBytes];
        if (std::fseek(file, start + static_cast<long>(position), SEEK_SET) != 0 ||
            std::fread(bytes, 1, kHeaderBytes, file) != kHeaderBytes)
            break;
        ByteReader header(bytes, kHeaderBytes);
        uint32_t length = 0, type = 0;
        header.U32be(length);
        header.U32be(type);
        position += kHeaderBytes + uint64_t{length} + kCrcBytes;
        if (length > PNG_UINT_31_MAX || position > fileLength) {
            fits = false;
            break;
        }
        if (type == 0x49454E44) break; // IEND
    }
    std::fseek(file, start, SEEK_SET);
    return fits;
}

uint64_t RemainingLength(std::FILE* file) {
    long start = std::ftell(file);
    if (start < 0 || std::fseek(file, 0, SEEK_END) != 0) return 0;
    long end = std::ftell(file);
    std::fseek(file, start, SEEK_SET);
    return end > start ? static_cast<uint64_t>(end - start) : 0;
}

} // namespace

bool ReadPngStream(std::FILE* file, const std::string& path, const PngLoadOptions& options,
                   CDibImage& image, PngFileFacts& facts) {
    facts = PngFileFacts{};
    ReadJob job(options, image, facts);
    job.fileLength = RemainingLength(file);
    facts.fileSize = job.fileLength;
    job.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &job.failure, PngErrorReturn,
                                     PngWarningIgnored);
    if (job.png) job.info = png_create_info_struct(job.png);
    if (!job.info) return false;
    if (!ChunkLengthsFitFile(file, job.fileLength)) {
        ReportError(kReportName, path, "Error handler (a chunk runs past the end of the file)");
        return false;
    }
    const Outcome outcome = DecodeWithLibpng(job, file);
    if (outcome != Outcome::Done) {
        image.FreeDib();
        if (outcome == Outcome::AboveMemoryLimit)
            CheckPictureMemory(kReportName, path, job.memoryNeed);
        else if (outcome == Outcome::NoMemory)
            ReportErrorId(kReportName, path, StringId::NoMemory);
        else
            ReportError(kReportName, path, PngFailureText(job.failure, file));
        return false;
    }
    if (job.compose)
        ComposeOverCheckerboard(job);
    else if (job.keepIndexed)
        FillColorTable(job);
    FillHeader(job);
    return true;
}

bool ReadPngFile(const std::string& path, const PngLoadOptions& options, CDibImage& image,
                 PngFileFacts& facts) {
    FileHandle file = FileHandle::Open(path, "rb");
    if (!file) {
        ReportCannotOpen(kReportName, path, "Cannot open");
        return false;
    }
    return ReadPngStream(file.get(), path, options, image, facts);
}

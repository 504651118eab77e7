#include "core/PngWrite.h"

#include "base/ByteReader.h"
#include "base/FileHandle.h"
#include "base/ReportError.h"
#include "core/ColorMatcher.h"
#include "core/FixedPalette.h"
#include "core/PngDescription.h"
#include "core/PngMessages.h"
#include "settings/SettingsStore.h"

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <new>

#include <png.h>

PngSaveOptions PngSaveOptions::FromSettings(const SettingsStore& settings) {
    PngSaveOptions options;
    options.useInterlaceOnSave = settings.useInterlaceOnSave != 0;
    options.useDefaultGammaOnSave = settings.useDefaultGammaOnSave != 0;
    options.usePngITxt = settings.usePngITxt != 0;
    options.defaultGamma = settings.defaultGamma;
    options.iTxtLanguage = settings.defaultPngITxtLang;
    return options;
}

void PngSaveModeFormat(int saveMode, int& colorType, int& bitDepth) {
    static const int formats[kPngSaveModeCount][2] = {
        {PNG_COLOR_TYPE_RGB, 8},  {PNG_COLOR_TYPE_PALETTE, 8}, {PNG_COLOR_TYPE_PALETTE, 4},
        {PNG_COLOR_TYPE_GRAY, 8}, {PNG_COLOR_TYPE_GRAY, 4},
    };
    if (saveMode < 0 || saveMode >= kPngSaveModeCount) saveMode = kPngSaveRgb24;
    colorType = formats[saveMode][0];
    bitDepth = formats[saveMode][1];
}

namespace {

constexpr const char* kReportName = "SavePngFile";

// Everything one write works on; it lives outside the setjmp frame (see EncodeWithLibpng).
struct WriteJob {
    WriteJob(PackedRgbRows sourceRows, PngSaveRequest& saveRequest,
             const PngSaveOptions& saveOptions)
        : source(sourceRows), request(saveRequest), options(saveOptions) {}
    ~WriteJob() { png_destroy_write_struct(&png, &info); }

    PackedRgbRows source;
    PngSaveRequest& request;
    const PngSaveOptions& options;
    png_structp png = nullptr;
    png_infop info = nullptr;
    PngFailure failure;
    int colorType = PNG_COLOR_TYPE_RGB;
    int bitDepth = 8;
    CColorMatcher matcher;
    std::vector<png_color> plte;
    std::unique_ptr<uint8_t[]> indices; // palette modes: bottom-up rows of one index per byte
    size_t indexStride = 0;
    std::vector<png_byte> transparentAlpha; // palette modes
    png_color_16 transparentColor{};        // gray and RGB modes
    bool writesGamma = false;
    double gamma = 0;
    std::vector<png_text> texts;
    std::vector<png_bytep> rows;
};

int GrayOf(int blue, int green, int red) {
    return (19 * blue + 183 * green + 54 * red) >> 8;
}

// libpng refuses a gAMA outside this range; such a value (a typing slip) is left out.
bool WritableGamma(double gamma) {
    return gamma >= 0.00016 && gamma <= 6250;
}

void ConvertRowsToGray(WriteJob& job) {
    const int shift = job.bitDepth == 4 ? 4 : 0;
    for (size_t y = 0; y < job.source.height; ++y) {
        uint8_t* row = job.source.pixels + y * job.source.stride;
        for (size_t x = 0; x < job.source.width; ++x)
            row[x] =
                static_cast<uint8_t>(GrayOf(row[3 * x], row[3 * x + 1], row[3 * x + 2]) >> shift);
    }
}

// The palette copy serves only a mode of its own bit depth that can hold all its entries;
// otherwise the fixed palette of that depth takes its place.
void ChoosePalette(WriteJob& job) {
    std::vector<RgbQuad>& palette = job.request.palette;
    const size_t capacity = size_t{1} << job.bitDepth;
    if (!palette.empty() && (job.request.bitsPerPixel != job.bitDepth || palette.size() > capacity))
        palette.clear();
    if (palette.empty()) palette = FixedPalette(static_cast<int>(capacity));
    job.plte.resize(palette.size());
    for (size_t i = 0; i < palette.size(); ++i)
        job.plte[i] = png_color{palette[i].rgbRed, palette[i].rgbGreen, palette[i].rgbBlue};
}

bool MapRowsToPalette(WriteJob& job) {
    const PackedRgbRows& source = job.source;
    job.indexStride = DibStride(source.width, 8);
    size_t bytes = 0;
    if (!CheckedMultiply(job.indexStride, source.height, bytes)) return false;
    job.indices.reset(new (std::nothrow) uint8_t[bytes]);
    if (!job.indices) return false;
    job.matcher.Init(job.request.palette.data(), job.request.palette.size());
    job.matcher.Build();
    // Neighbouring pixels often share a colour: remember the last match.
    uint32_t lastColor = 0xFFFFFFFF;
    uint8_t lastIndex = 0;
    for (size_t y = 0; y < source.height; ++y) {
        const uint8_t* pixel = source.pixels + y * source.stride;
        uint8_t* index = job.indices.get() + y * job.indexStride;
        for (size_t x = 0; x < source.width; ++x, pixel += 3) {
            uint32_t color = pixel[0] | pixel[1] << 8 | pixel[2] << 16;
            if (color != lastColor) {
                lastColor = color;
                lastIndex = static_cast<uint8_t>(job.matcher.Lookup(pixel[0], pixel[1], pixel[2]));
            }
            index[x] = lastIndex;
        }
    }
    return true;
}

void PrepareTransparency(WriteJob& job) {
    if (!job.request.transparent) return;
    const RgbQuad& color = job.request.transparentColor;
    if (job.colorType == PNG_COLOR_TYPE_PALETTE) {
        int index = job.matcher.Lookup(color.rgbBlue, color.rgbGreen, color.rgbRed);
        job.transparentAlpha.assign(static_cast<size_t>(index) + 1, 255);
        job.transparentAlpha[index] = 0;
    } else if (job.colorType == PNG_COLOR_TYPE_RGB) {
        job.transparentColor.red = color.rgbRed;
        job.transparentColor.green = color.rgbGreen;
        job.transparentColor.blue = color.rgbBlue;
    } else {
        int gray = GrayOf(color.rgbBlue, color.rgbGreen, color.rgbRed);
        job.transparentColor.gray = static_cast<png_uint_16>(job.bitDepth == 4 ? gray >> 4 : gray);
    }
}

void PrepareTexts(WriteJob& job) {
    for (const PngTextEntry& entry : job.request.texts) {
        png_text text{};
        text.compression =
            job.options.usePngITxt ? PNG_ITXT_COMPRESSION_NONE : PNG_TEXT_COMPRESSION_NONE;
        text.key = const_cast<char*>(entry.keyword.c_str());
        text.text = const_cast<char*>(entry.text.c_str());
        text.text_length = job.options.usePngITxt ? 0 : entry.text.size();
        text.itxt_length = job.options.usePngITxt ? entry.text.size() : 0;
        text.lang = const_cast<char*>(job.options.iTxtLanguage.c_str());
        text.lang_key = nullptr;
        job.texts.push_back(text);
    }
}

// Everything that allocates, before libpng starts: pixel conversion, palette, chunk contents,
// row pointers. False when memory runs out.
bool PrepareWrite(WriteJob& job) {
    PngSaveModeFormat(job.request.saveMode, job.colorType, job.bitDepth);
    if (job.colorType == PNG_COLOR_TYPE_GRAY) {
        ConvertRowsToGray(job);
    } else if (job.colorType == PNG_COLOR_TYPE_PALETTE) {
        ChoosePalette(job);
        if (!MapRowsToPalette(job)) return false;
    }
    PrepareTransparency(job);
    job.gamma = job.options.useDefaultGammaOnSave ? job.options.defaultGamma : job.request.gamma;
    job.writesGamma = job.request.writeGamma && WritableGamma(job.gamma);
    PrepareTexts(job);
    const size_t height = job.source.height;
    uint8_t* base = job.indices ? job.indices.get() : job.source.pixels;
    const size_t stride = job.indices ? job.indexStride : job.source.stride;
    job.rows.resize(height);
    // The top picture row (the last memory row) is written first.
    for (size_t i = 0; i < height; ++i)
        job.rows[i] = base + (height - 1 - i) * stride;
    return true;
}

void SetChunks(WriteJob& job) {
    png_structp png = job.png;
    png_infop info = job.info;
    png_set_IHDR(png, info, static_cast<png_uint_32>(job.source.width),
                 static_cast<png_uint_32>(job.source.height), job.bitDepth, job.colorType,
                 job.options.useInterlaceOnSave ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (job.colorType == PNG_COLOR_TYPE_PALETTE)
        png_set_PLTE(png, info, job.plte.data(), static_cast<int>(job.plte.size()));
    if (job.request.transparent) {
        bool palette = job.colorType == PNG_COLOR_TYPE_PALETTE;
        png_set_tRNS(png, info, palette ? job.transparentAlpha.data() : nullptr,
                     palette ? static_cast<int>(job.transparentAlpha.size()) : 1,
                     palette ? nullptr : &job.transparentColor);
    }
    if (job.writesGamma) png_set_gAMA(png, info, job.gamma);
    if (!job.texts.empty())
        png_set_text(png, info, job.texts.data(), static_cast<int>(job.texts.size()));
}

// The libpng part of a write. Only the job (outside this frame) is changed after setjmp.
bool EncodeWithLibpng(WriteJob& job, std::FILE* file) {
    if (setjmp(png_jmpbuf(job.png))) return false;
    png_init_io(job.png, file);
    SetChunks(job);
    png_write_info(job.png, job.info);
    if (job.bitDepth < 8) png_set_packing(job.png);
    if (job.colorType == PNG_COLOR_TYPE_RGB) png_set_bgr(job.png);
    png_write_image(job.png, job.rows.data());
    png_write_end(job.png, job.info);
    return true;
}

// False (after the report) when the stream could not be written out.
bool CloseWritten(FileHandle& file, const std::string& path) {
    bool failed = std::ferror(file.get()) != 0;
    if (!file.Close() || failed) {
        ReportError(kReportName, path, SystemErrorText(errno));
        return false;
    }
    return true;
}

} // namespace

bool WritePngStream(std::FILE* file, const std::string& path, PackedRgbRows rows,
                    PngSaveRequest& request, const PngSaveOptions& options, PngSaveResult& result) {
    if (!rows.pixels || rows.width == 0 || rows.height == 0 || rows.width > PNG_UINT_31_MAX ||
        rows.height > PNG_UINT_31_MAX || rows.stride < rows.width * 3) {
        ReportErrorId(kReportName, path, StringId::NoDib);
        return false;
    }
    WriteJob job(rows, request, options);
    bool prepared = false;
    try {
        prepared = PrepareWrite(job);
    } catch (const std::bad_alloc&) {
    }
    if (prepared)
        job.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &job.failure, PngErrorReturn,
                                          PngWarningIgnored);
    if (job.png) job.info = png_create_info_struct(job.png);
    if (!job.info) {
        ReportErrorId(kReportName, path, StringId::NoMemory);
        return false;
    }
    if (!EncodeWithLibpng(job, file)) {
        ReportError(kReportName, path, PngFailureText(job.failure, file));
        return false;
    }
    PngLayout layout = PngLayoutOf(job.png, job.info);
    result.description = DescribePng(layout, request.transparent, job.writesGamma);
    result.bitsPerPixel = layout.PixelDepth();
    result.grayscale = layout.IsGray();
    return true;
}

bool WritePngFile(const std::string& path, PackedRgbRows rows, PngSaveRequest& request,
                  const PngSaveOptions& options, PngSaveResult& result) {
    FileHandle file = FileHandle::Open(path, "wb");
    if (!file) {
        ReportError(kReportName, path, "Cannot open");
        return false;
    }
    bool written = WritePngStream(file.get(), path, rows, request, options, result) &&
                   CloseWritten(file, path);
    file.Close();
    std::error_code error;
    if (!written) {
        // Only the regular file this write made goes; a device or pipe named as the target stays.
        if (std::filesystem::is_regular_file(std::filesystem::symlink_status(path, error)))
            std::filesystem::remove(path, error);
        return false;
    }
    uintmax_t size = std::filesystem::file_size(path, error);
    result.fileSize = error ? 0 : size;
    return true;
}

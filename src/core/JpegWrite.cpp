#include "core/JpegWrite.h"

#include "base/FileHandle.h"
#include "base/ReportError.h"
#include "core/DibExtract.h"
#include "core/ImageSaveRequest.h"
#include "core/OutputFiles.h"
#include "jpegtools/Charset.h"
#include "jpegtools/CommentCut.h"
#include "jpegtools/JpegErrorManager.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <jerror.h>
#include <new>
#include <optional>
#include <utility>
#include <vector>

namespace {

constexpr const char* kWriterName = "SaveJpegFile";
constexpr JDIMENSION kRowsPerCall = 16;
// libjpeg-turbo keeps each table entry times 8 in 16 bits: larger entries break its divisors.
constexpr unsigned kMaxTableEntry = 8191;

// The picture's rows: the true-colour device form (top-down; blue, green, red, X), or the
// extracted packed DIB (bottom-up; blue, green, red).
struct PixelSource {
    const uint8_t* base = nullptr;
    size_t stride = 0;
    JDIMENSION width = 0, height = 0;
    int pixelBytes = 3;
    bool bottomUp = true;
    // Scanline t, counted from the top; libjpeg only reads it.
    JSAMPROW Row(JDIMENSION t) const {
        return const_cast<JSAMPROW>(base + stride * (bottomUp ? height - 1 - t : t));
    }
};

PixelSource DeviceRows(const CDibImage& image) {
    return {reinterpret_cast<const uint8_t*>(image.Bits()),
            static_cast<size_t>(image.Width()) * 4,
            static_cast<JDIMENSION>(image.Width()),
            static_cast<JDIMENSION>(image.Height()),
            4,
            false};
}

PixelSource PackedRows(const PackedDib& dib) {
    const BitmapInfoHeader& header = dib.Header();
    return {dib.Pixels().data(),
            DibStride(static_cast<size_t>(header.biWidth), 24),
            static_cast<JDIMENSION>(header.biWidth),
            static_cast<JDIMENSION>(header.biHeight),
            3,
            true};
}

// Everything that must outlive a jump back from the error exit.
struct EncodeSession {
    jpeg_compress_struct info{};
    JpegErrorManager errors{};
    std::FILE* file = nullptr;
    PixelSource source;
    std::vector<JSAMPLE> grayRows;
    std::optional<std::string> comment;
};

void SetSampling(jpeg_compress_struct& info, int sampling) {
    static const int kFactors[][2] = {{1, 1}, {1, 1}, {2, 1}, {2, 2}, {1, 2}};
    if (sampling < kSampling11 || sampling > kSampling12) return;
    info.comp_info[0].h_samp_factor = kFactors[sampling][0];
    info.comp_info[0].v_samp_factor = kFactors[sampling][1];
}

void SetCustomTables(jpeg_compress_struct& info, const QuantTablePair& tables) {
    for (int slot = 0; slot < 2; ++slot) {
        JQUANT_TBL* table = info.quant_tbl_ptrs[slot];
        if (!table) continue;
        for (int i = 0; i < 64; ++i)
            table->quantval[i] =
                static_cast<UINT16>(std::clamp<unsigned>(tables[slot * 64 + i], 1, kMaxTableEntry));
    }
}

void SetParameters(jpeg_compress_struct& info, const PixelSource& source,
                   const JpegWriteSettings& settings) {
    bool gray = settings.sampling == kSamplingGray;
    info.image_width = source.width;
    info.image_height = source.height;
    info.input_components = gray ? 1 : source.pixelBytes;
    info.in_color_space = gray                     ? JCS_GRAYSCALE
                          : source.pixelBytes == 4 ? JCS_EXT_BGRX
                                                   : JCS_EXT_BGR;
    jpeg_set_defaults(&info);
    info.density_unit = static_cast<UINT8>(std::clamp(settings.densityUnit, 0, 2));
    info.X_density = static_cast<UINT16>(std::clamp(settings.xDensity, 1, 65535));
    info.Y_density = static_cast<UINT16>(std::clamp(settings.yDensity, 1, 65535));
    if (settings.restartEveryRow) info.restart_in_rows = 1;
    jpeg_set_quality(&info, std::clamp(settings.quality, 0, 100), !settings.progressive);
    info.optimize_coding = TRUE;
    if (settings.customTables) SetCustomTables(info, *settings.customTables);
    SetSampling(info, settings.sampling);
    if (settings.progressive) {
        info.progressive_mode = TRUE;
        jpeg_simple_progression(&info);
    }
}

// Gray value of one blue, green, red pixel, truncated.
JSAMPLE GrayOf(const uint8_t* pixel) {
    return static_cast<JSAMPLE>(0.587 * pixel[1] + 0.299 * pixel[2] + 0.114 * pixel[0]);
}

// Gray files go through the gray rows.
void WriteRows(EncodeSession& session) {
    jpeg_compress_struct& info = session.info;
    const PixelSource& source = session.source;
    const bool gray = info.input_components == 1;
    while (info.next_scanline < info.image_height) {
        JSAMPROW rows[kRowsPerCall];
        JDIMENSION first = info.next_scanline;
        JDIMENSION count = std::min(kRowsPerCall, info.image_height - first);
        for (JDIMENSION i = 0; i < count; ++i) {
            rows[i] = source.Row(first + i);
            if (!gray) continue;
            const uint8_t* pixel = rows[i];
            rows[i] = session.grayRows.data() + static_cast<size_t>(i) * info.image_width;
            for (JDIMENSION x = 0; x < info.image_width; ++x, pixel += source.pixelBytes)
                rows[i][x] = GrayOf(pixel);
        }
        if (jpeg_write_scanlines(&info, rows, count) == 0) ERREXIT(&info, JERR_FILE_WRITE);
    }
}

bool RunEncode(EncodeSession& session, const JpegWriteSettings& settings,
               JpegDescription& description) {
    jpeg_compress_struct& info = session.info;
    info.err = InstallJpegErrorManager(session.errors);
    if (setjmp(session.errors.jump)) return false;
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, session.file);
    SetParameters(info, session.source, settings);
    jpeg_start_compress(&info, TRUE);
    // Right after SOI and the JFIF segment, ahead of the tables and the frame header.
    if (session.comment)
        jpeg_write_marker(&info, JPEG_COM, reinterpret_cast<const JOCTET*>(session.comment->data()),
                          static_cast<unsigned>(session.comment->size()));
    WriteRows(session);
    jpeg_finish_compress(&info);
    description = DescribeJpeg(FrameFactsOf(info), std::string());
    return true;
}

// The gray rows and the comment, made before the library runs.
bool PrepareBuffers(EncodeSession& session, const JpegWriteSettings& settings) {
    if (settings.comment)
        session.comment = CutCommentText(*settings.comment, settings.commentCharset, kMaxComment);
    if (settings.sampling != kSamplingGray) return true;
    try {
        session.grayRows.resize(static_cast<size_t>(session.source.width) * kRowsPerCall);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

bool EncodeRows(std::FILE* file, const std::string& path, const PixelSource& source,
                const JpegWriteSettings& settings, JpegDescription& description) {
    EncodeSession session;
    session.file = file;
    session.source = source;
    if (!PrepareBuffers(session, settings)) {
        ReportErrorId(kWriterName, path, StringId::NoMemory);
        return false;
    }
    const bool ok = RunEncode(session, settings, description);
    jpeg_destroy_compress(&session.info);
    if (!ok) ReportError("JPEGLIB", "", session.errors.message);
    return ok;
}

} // namespace

bool EncodeJpegStream(std::FILE* file, const std::string& path, const CDibImage& image,
                      const JpegWriteSettings& settings, JpegDescription& description) {
    // A true-colour device form already holds the pixels the 24-bit extraction would copy.
    if (image.ColorType() == 0 && !image.IsEmpty())
        return EncodeRows(file, path, DeviceRows(image), settings, description);
    const std::optional<PackedDib> dib = ExtractDib(image, 0);
    if (!dib) {
        ReportErrorId(kWriterName, path, StringId::NoDib);
        return false;
    }
    return EncodeRows(file, path, PackedRows(*dib), settings, description);
}

bool EncodeJpegFile(const std::string& path, const CDibImage& image,
                    const JpegWriteSettings& settings, JpegDescription& description) {
    FileHandle file = FileHandle::Open(path, "wb");
    if (!file) {
        ReportError(kWriterName, path, "Cannot open");
        return false;
    }
    bool ok = EncodeJpegStream(file.get(), path, image, settings, description);
    if (!file.Close() && ok) {
        ReportError(kWriterName, path, std::strerror(errno));
        ok = false;
    }
    return ok;
}

bool SaveJpegFile(const ImageSaveRequest& request, ImageFacts& written, COutputFiles& output,
                  const std::string& path) {
    const ImageWriteOptions& options = request.options;
    JpegWriteSettings values = options.jpeg;
    values.customTables = request.customTables;
    if (const CommentItem* item = request.currentComment; item && request.includeComment) {
        values.commentCharset = ChooseWriteCharset(item->charset, options.writeCharsets.autoCharset,
                                                   options.writeCharsets.charset);
        values.comment = CommentTextForWriting(*item, values.commentCharset, options.writeCharsets);
    }
    std::FILE* file = output.Create(path);
    if (!file) {
        ReportError(kWriterName, path, output.CreateFailureMessage("Cannot open"));
        return false;
    }
    JpegDescription description;
    if (!EncodeJpegStream(file, path, request.picture, values, description)) return false;
    written.description = description.text;
    written.grayscale = description.grayscale;
    written.qualityEstimate = description.qualityEstimate;
    written.bitsPerSample = 8;
    return true;
}

#include "core/JpegWrite.h"

#include "app/util/ReportError.h"
#include "core/DocumentHost.h"
#include "core/ImageDoc.h"
#include "core/OutputFiles.h"
#include "jpegtools/Charset.h"
#include "jpegtools/JpegErrorManager.h"
#include "jpegtools/TextCut.h"
#include "platform/Platform.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <jerror.h>
#include <new>
#include <vector>

namespace {

constexpr const char* kWriterName = "SaveJpegFile";
constexpr JDIMENSION kRowsPerCall = 16;
// libjpeg-turbo keeps each table entry times 8 in 16 bits: larger entries break its divisors.
constexpr unsigned kMaxTableEntry = 8191;

// Everything that must outlive a jump back from the error exit.
struct EncodeSession {
    jpeg_compress_struct info{};
    JpegErrorManager errors{};
    std::FILE* file = nullptr;
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
            table->quantval[i] = static_cast<UINT16>(
                std::clamp<unsigned>(tables[slot * 64 + i], 1, kMaxTableEntry));
    }
}

void SetParameters(jpeg_compress_struct& info, CDibImage& image,
                   const JpegWriteSettings& settings) {
    const BitmapInfoHeader& header = *image.Header();
    bool gray = settings.sampling == kSamplingGray;
    info.image_width = static_cast<JDIMENSION>(header.biWidth);
    info.image_height = static_cast<JDIMENSION>(header.biHeight);
    info.input_components = gray ? 1 : 3;
    info.in_color_space = gray ? JCS_GRAYSCALE : JCS_EXT_BGR;
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

// Scanline t comes from memory row height - 1 - t; gray files through the gray rows.
void WriteRows(EncodeSession& session, CDibImage& image) {
    jpeg_compress_struct& info = session.info;
    const size_t stride = DibStride(info.image_width, 24);
    const JDIMENSION height = info.image_height;
    const bool gray = info.input_components == 1;
    while (info.next_scanline < height) {
        JSAMPROW rows[kRowsPerCall];
        JDIMENSION first = info.next_scanline;
        JDIMENSION count = std::min(kRowsPerCall, height - first);
        for (JDIMENSION i = 0; i < count; ++i) {
            uint8_t* source = image.Pixels() + stride * (height - 1 - (first + i));
            rows[i] = source;
            if (!gray) continue;
            rows[i] = session.grayRows.data() + static_cast<size_t>(i) * info.image_width;
            for (JDIMENSION x = 0; x < info.image_width; ++x) rows[i][x] = GrayOf(source + 3 * x);
        }
        if (jpeg_write_scanlines(&info, rows, count) == 0) ERREXIT(&info, JERR_FILE_WRITE);
    }
}

bool RunEncode(EncodeSession& session, CDibImage& image, const JpegWriteSettings& settings,
               JpegDescription& description) {
    jpeg_compress_struct& info = session.info;
    info.err = InstallJpegErrorManager(session.errors);
    if (setjmp(session.errors.jump)) return false;
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, session.file);
    SetParameters(info, image, settings);
    jpeg_start_compress(&info, TRUE);
    // Right after SOI and the JFIF segment, ahead of the tables and the frame header.
    if (session.comment)
        jpeg_write_marker(&info, JPEG_COM, reinterpret_cast<const JOCTET*>(session.comment->data()),
                          static_cast<unsigned>(session.comment->size()));
    WriteRows(session, image);
    jpeg_finish_compress(&info);
    description = DescribeJpeg(FrameFactsOf(info), std::string());
    return true;
}

// The gray rows and the comment, made before the library runs.
bool PrepareBuffers(EncodeSession& session, CDibImage& image, const JpegWriteSettings& settings) {
    if (settings.comment)
        session.comment = CutAtCharBoundary(*settings.comment, settings.commentCharset, kMaxComment);
    if (settings.sampling != kSamplingGray) return true;
    try {
        session.grayRows.resize(static_cast<size_t>(image.Header()->biWidth) * kRowsPerCall);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

bool EncodeExtracted(std::FILE* file, const std::string& path, CDibImage& image,
                     const JpegWriteSettings& settings, JpegDescription& description) {
    EncodeSession session;
    session.file = file;
    if (!PrepareBuffers(session, image, settings)) {
        ReportErrorId(kWriterName, path, 352);
        return false;
    }
    bool ok;
    {
        WaitCursor wait;
        ok = RunEncode(session, image, settings, description);
        jpeg_destroy_compress(&session.info);
    }
    if (!ok) ReportError("JPEGLIB", "", session.errors.message);
    return ok;
}

} // namespace

JpegWriteSettings JpegWriteSettingsFrom(const SettingsStore& settings) {
    JpegWriteSettings values;
    values.quality = std::clamp(settings.param1, 0, 100);
    values.sampling = settings.param2;
    values.progressive = settings.param3 == 1;
    values.restartEveryRow = settings.includeRST != 0;
    values.densityUnit = settings.resolutionUnit;
    values.xDensity = settings.resolutionH;
    values.yDensity = settings.resolutionV;
    return values;
}

bool EncodeJpegStream(std::FILE* file, const std::string& path, CDibImage& image,
                      const JpegWriteSettings& settings, JpegDescription& description) {
    if (!image.ExtractDib(0, kBiRgb)) {
        image.FreeDib();
        ReportErrorId(kWriterName, path, 354);
        return false;
    }
    bool ok = EncodeExtracted(file, path, image, settings, description);
    image.FreeDib();
    return ok;
}

bool EncodeJpegFile(const std::string& path, CDibImage& image, const JpegWriteSettings& settings,
                    JpegDescription& description) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        ReportError(kWriterName, path, "Cannot open");
        return false;
    }
    bool ok = EncodeJpegStream(file, path, image, settings, description);
    if (std::fclose(file) != 0 && ok) {
        ReportError(kWriterName, path, std::strerror(errno));
        ok = false;
    }
    return ok;
}

bool SaveJpegFile(CImageDoc& document, COutputFiles& output, const std::string& path) {
    SettingsStore& settings = AppSettings();
    DocumentHost().CommitControlBar(settings);
    JpegWriteSettings values = JpegWriteSettingsFrom(settings);
    if (document.customDqt) values.customTables = document.quantTables;
    if (const CommentItem* item = document.CurrentComment(); item && document.includeComment) {
        values.commentCharset =
            ChooseWriteCharset(item->charset, settings.autoWriteCharset, settings.writeCharset);
        values.comment = CommentTextForWriting(*item, values.commentCharset);
    }
    std::FILE* file = output.Create(path);
    if (!file) {
        ReportError(kWriterName, path, "Cannot open");
        return false;
    }
    JpegDescription description;
    if (!EncodeJpegStream(file, path, document.Image(), values, description)) return false;
    document.description = description.text;
    document.grayscale = description.grayscale;
    document.qualityEstimate = description.qualityEstimate;
    document.bitsPerSample = 8;
    return true;
}

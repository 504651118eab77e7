#include "core/JpegRead.h"

#include "base/ByteReader.h"
#include "base/FileHandle.h"
#include "base/MemoryLimit.h"
#include "base/PictureFaulter.h"
#include "base/ReportError.h"
#include "core/DisplayReduction.h"
#include "core/PictureMemory.h"
#include "core/PixelLimit.h"
#include "jpegtools/JpegErrorManager.h"

#include <algorithm>
#include <jerror.h>

namespace {

constexpr const char* kReaderName = "LoadJpegFile";
// Huffman-coded data cannot describe more pixels per byte than this (one bit per 8 x 8 block
// of a grayscale DC scan gives 512).
constexpr size_t kJpegPixelsPerByte = 1024;
constexpr JDIMENSION kRowsPerCall = 16;

enum class DecodeStatus { Ok, LibraryError, NoMemory, AboveMemoryLimit };

// Where decoded rows go: bottom-up rows of the packed DIB (blue, green, red), or top-down rows
// of the true-colour device form (blue, green, red, 0xFF).
struct RowTarget {
    uint8_t* base = nullptr;
    size_t stride = 0;
    JDIMENSION height = 0;
    bool deviceForm = false;
    uint8_t* Row(JDIMENSION scanline) const {
        return base + stride * (deviceForm ? scanline : height - 1 - scanline);
    }
};

// Everything that must outlive a jump back from the error exit.
struct DecodeSession {
    jpeg_decompress_struct info{};
    JpegErrorManager errors{};
    RowTarget target;
    PictureFaulter faulter; // faults the device form in ahead of the rows
    uint64_t memoryNeed = 0;
};

// A file of several scans (progressive, or components in separate scans) is held by the
// library as the coefficients of the whole picture, 128 bytes a block.
uint64_t CoefficientBytes(const jpeg_decompress_struct& info) {
    if (!info.progressive_mode && info.comps_in_scan >= info.num_components) return 0;
    uint64_t blocks = 0;
    for (int i = 0; i < info.num_components; ++i)
        blocks +=
            PictureBytes(info.comp_info[i].width_in_blocks, info.comp_info[i].height_in_blocks);
    return PictureBytes(blocks, sizeof(JBLOCK));
}

// Before the decode starts: the device form alone when the rows go straight into it, else the
// packed DIB and the display form made from it; and the library's coefficients.
uint64_t MemoryNeed(jpeg_decompress_struct& info, JpegPixelForm form) {
    jpeg_calc_output_dimensions(&info);
    const uint64_t width = info.output_width, height = info.output_height;
    return (form == JpegPixelForm::DeviceForm ? PictureBytes(width * 4, height)
                                              : PictureMemoryNeed(width, height, 24)) +
           CoefficientBytes(info);
}

// Converts one row of library output (1, 3 or 4 samples a pixel) to blue, green, red (and
// 0xFF for the device form).
void ConvertRow(const JSAMPLE* in, int components, JDIMENSION width, uint8_t* out,
                bool deviceForm) {
    const int step = deviceForm ? 4 : 3;
    for (JDIMENSION x = 0; x < width; ++x, in += components, out += step) {
        if (components == 1) {
            out[0] = out[1] = out[2] = in[0];
        } else if (components == 3) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
        } else {
            // libjpeg hands over CMYK as Adobe applications store it: inverted, so each
            // channel times K gives the colour.
            unsigned k = in[3];
            out[0] = static_cast<uint8_t>((in[2] * k + 127) / 255);
            out[1] = static_cast<uint8_t>((in[1] * k + 127) / 255);
            out[2] = static_cast<uint8_t>((in[0] * k + 127) / 255);
        }
        if (deviceForm) out[3] = 0xFF;
    }
}

// Gray and colour files come out of the library directly in the target's pixel layout; CMYK,
// YCCK and files of unknown colour space come out as they are and are converted row by row.
void ChooseOutputSpace(jpeg_decompress_struct& info, JpegPixelForm form) {
    switch (info.jpeg_color_space) {
    case JCS_GRAYSCALE:
    case JCS_RGB:
    case JCS_YCbCr:
        info.out_color_space = form == JpegPixelForm::DeviceForm ? JCS_EXT_BGRA : JCS_EXT_BGR;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        info.out_color_space = JCS_CMYK;
        break;
    default:
        if (info.num_components != 1 && info.num_components != 3 && info.num_components != 4)
            ERREXIT(&info, JERR_CONVERSION_NOTIMPL);
    }
}

void CopyQuantTables(const jpeg_decompress_struct& info, JpegFileFacts& facts) {
    for (int slot = 0; slot < 2; ++slot) {
        const JQUANT_TBL* table = info.quant_tbl_ptrs[slot];
        facts.hasTable[slot] = table != nullptr;
        if (table) std::copy(table->quantval, table->quantval + 64, facts.tables[slot].begin());
    }
}

bool AllocatePackedDib(size_t width, size_t height, CDibImage& image, RowTarget& target) {
    size_t stride = DibStride(width, 24), bytes = 0;
    if (!CheckedMultiply(stride, height, bytes) || !image.AllocateDib(40, bytes)) return false;
    BitmapInfoHeader* header = image.Header();
    *header = BitmapInfoHeader{};
    header->biWidth = static_cast<int32_t>(width);
    header->biHeight = static_cast<int32_t>(height);
    header->biBitCount = 24;
    target.base = image.Pixels();
    target.stride = stride;
    return true;
}

bool AllocatePixels(const jpeg_decompress_struct& info, size_t maxPixels, JpegPixelForm form,
                    CDibImage& image, DecodeSession& session) {
    RowTarget& target = session.target;
    size_t width = info.output_width, height = info.output_height, pixels = 0;
    if (!CheckedMultiply(width, height, pixels) || pixels > maxPixels) return false;
    target.height = info.output_height;
    target.deviceForm = form == JpegPixelForm::DeviceForm;
    if (!target.deviceForm) return AllocatePackedDib(width, height, image, target);
    if (!image.CreateUnfilled(static_cast<int>(width), static_cast<int>(height))) return false;
    target.base = reinterpret_cast<uint8_t*>(image.Bits());
    target.stride = width * 4;
    session.faulter.Start(target.base, target.stride * height);
    return true;
}

void ReadRows(jpeg_decompress_struct& info, const RowTarget& target) {
    const JDIMENSION height = info.output_height;
    if (info.out_color_space == JCS_EXT_BGR || info.out_color_space == JCS_EXT_BGRA) {
        while (info.output_scanline < height) {
            JSAMPROW rows[kRowsPerCall];
            JDIMENSION first = info.output_scanline;
            JDIMENSION count = std::min(kRowsPerCall, height - first);
            for (JDIMENSION i = 0; i < count; ++i)
                rows[i] = target.Row(first + i);
            if (jpeg_read_scanlines(&info, rows, count) == 0) ERREXIT(&info, JERR_INPUT_EOF);
        }
        return;
    }
    JSAMPARRAY scratch = (*info.mem->alloc_sarray)(
        reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
        info.output_width * static_cast<JDIMENSION>(info.output_components), 1);
    while (info.output_scanline < height) {
        JDIMENSION scanline = info.output_scanline;
        if (jpeg_read_scanlines(&info, scratch, 1) != 1) ERREXIT(&info, JERR_INPUT_EOF);
        ConvertRow(scratch[0], info.output_components, info.output_width, target.Row(scanline),
                   target.deviceForm);
    }
}

// Files without a JFIF segment are described by their Exif version, when they have Exif data.
std::string ExifLabelOf(const JpegMarkerState& markers) {
    const CIfdReader* reader = markers.exif.Reader();
    return markers.hasExif && reader ? ExifLabel(*reader) : std::string();
}

// The smallest of libjpeg's reduced scales whose output is still at least the size asked for.
void ChooseScale(jpeg_decompress_struct& info, DecodeAtLeast atLeast) {
    if (atLeast.width <= 0 || atLeast.height <= 0) return;
    for (unsigned denominator : {8u, 4u, 2u}) {
        const JDIMENSION width = (info.image_width + denominator - 1) / denominator;
        const JDIMENSION height = (info.image_height + denominator - 1) / denominator;
        if (width >= static_cast<JDIMENSION>(atLeast.width) &&
            height >= static_cast<JDIMENSION>(atLeast.height)) {
            info.scale_num = 1;
            info.scale_denom = denominator;
            return;
        }
    }
}

DecodeStatus RunDecode(DecodeSession& session, std::FILE* file, size_t maxPixels,
                       JpegPixelForm form, CDibImage& image, JpegFileFacts& facts,
                       DecodeAtLeast atLeast) {
    jpeg_decompress_struct& info = session.info;
    info.err = InstallJpegErrorManager(session.errors);
    if (setjmp(session.errors.jump)) return DecodeStatus::LibraryError;
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    InstallMarkerProcessors(info, facts.markers);
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) ERREXIT(&info, JERR_INPUT_EOF);
    CopyQuantTables(info, facts);
    ChooseOutputSpace(info, form);
    ChooseScale(info, atLeast);
    session.memoryNeed = MemoryNeed(info, form);
    if (!FitsMemoryLimit(session.memoryNeed)) return DecodeStatus::AboveMemoryLimit;
    jpeg_start_decompress(&info);
    if (!AllocatePixels(info, maxPixels, form, image, session)) return DecodeStatus::NoMemory;
    ReadRows(info, session.target);
    facts.description = DescribeJpeg(FrameFactsOf(info), ExifLabelOf(facts.markers));
    jpeg_finish_decompress(&info);
    facts.warnings = info.err->num_warnings;
    facts.firstWarning = session.errors.firstWarning;
    return DecodeStatus::Ok;
}

} // namespace

bool DecodeJpegStream(std::FILE* file, const std::string& path, size_t maxPixels,
                      JpegPixelForm form, CDibImage& image, JpegFileFacts& facts,
                      DecodeAtLeast atLeast) {
    DecodeSession session;
    const DecodeStatus status = RunDecode(session, file, maxPixels, form, image, facts, atLeast);
    session.faulter.Finish();
    jpeg_destroy_decompress(&session.info);
    if (status == DecodeStatus::Ok) return true;
    image.FreeDib();
    image.Release();
    if (status == DecodeStatus::AboveMemoryLimit)
        CheckPictureMemory(kReaderName, path, session.memoryNeed);
    else if (status == DecodeStatus::NoMemory)
        ReportErrorId(kReaderName, path, StringId::NoMemory);
    else
        ReportError("JPEGLIB", "", session.errors.message);
    return false;
}

namespace {

// Whether the full read would allocate the picture: within the pixel count the file's length
// makes plausible and, in either pixel form, within the memory limit.
bool FullReadWouldAllocate(const jpeg_decompress_struct& info, uint64_t fileSize) {
    const uint64_t width = info.output_width, height = info.output_height;
    const uint64_t pixels = PictureBytes(width, height);
    return pixels <= PixelLimitForFile(fileSize, kJpegPixelsPerByte) &&
           FitsMemoryLimit(PictureBytes(width * 4, height)) &&
           FitsMemoryLimit(PictureBytes(DibStride(width, 24), height));
}

bool DescribeHeaders(DecodeSession& session, std::FILE* file, uint64_t fileSize,
                     JpegMarkerState& markers, std::string& description) {
    jpeg_decompress_struct& info = session.info;
    info.err = InstallJpegErrorManager(session.errors);
    if (setjmp(session.errors.jump)) return false;
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    InstallMarkerProcessors(info, markers);
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) return false;
    // Tables defined between later scans would change the quality figure.
    if (info.progressive_mode || info.comps_in_scan < info.num_components) return false;
    ChooseOutputSpace(info, JpegPixelForm::PackedDib);
    // Checks the scan's tables and sets the output size, reading no entropy-coded data.
    jpeg_start_decompress(&info);
    if (!FullReadWouldAllocate(info, fileSize)) return false;
    description = DescribeJpeg(FrameFactsOf(info), ExifLabelOf(markers)).text;
    return true;
}

bool ReadFrameHeader(DecodeSession& session, std::FILE* file, int& width, int& height) {
    jpeg_decompress_struct& info = session.info;
    info.err = InstallJpegErrorManager(session.errors);
    if (setjmp(session.errors.jump)) return false;
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) return false;
    width = static_cast<int>(info.image_width);
    height = static_cast<int>(info.image_height);
    return true;
}

} // namespace

bool ReadJpegFrameSize(const std::string& path, int& width, int& height) {
    FileHandle file = FileHandle::Open(path, "rb");
    if (!file) return false;
    DecodeSession session;
    const bool read = ReadFrameHeader(session, file.get(), width, height);
    jpeg_destroy_decompress(&session.info);
    return read;
}

bool DecodeJpegFile(const std::string& path, JpegPixelForm form, CDibImage& image,
                    JpegFileFacts& facts, DecodeAtLeast atLeast) {
    FileHandle file = FileHandle::Open(path, "rb");
    if (!file) {
        ReportCannotOpen(kReaderName, path);
        return false;
    }
    long length = std::fseek(file.get(), 0, SEEK_END) == 0 ? std::ftell(file.get()) : 0;
    std::rewind(file.get());
    facts.fileSize = length > 0 ? static_cast<uint64_t>(length) : 0;
    return DecodeJpegStream(file.get(), path, PixelLimitForFile(facts.fileSize, kJpegPixelsPerByte),
                            form, image, facts, atLeast);
}

namespace {

// The comment found in the file becomes the current item, to be written again on save.
void TakeComment(ImageFacts& facts, const JpegMarkerState& markers,
                 const CommentCharsets& readCharsets) {
    if (!markers.hasComment) return;
    facts.includeComment = true;
    facts.AddComment(MakeCommentItem(markers.comment.data(), markers.commentCharset,
                                     static_cast<int>(markers.comment.size()), "Comment",
                                     readCharsets),
                     true);
}

ImageFacts FactsOf(JpegFileFacts& file, const CommentCharsets& readCharsets) {
    ImageFacts facts;
    TakeComment(facts, file.markers, readCharsets);
    if (file.markers.hasExif) facts.exif = std::move(file.markers.exif);
    for (int slot = 0; slot < 2; ++slot) {
        facts.hasTable[slot] = file.hasTable[slot];
        facts.tables[slot] = file.tables[slot];
    }
    facts.description = file.description.text;
    facts.grayscale = file.description.grayscale;
    facts.qualityEstimate = file.description.qualityEstimate;
    facts.bitsPerSample = 8;
    facts.fileSize = static_cast<uint32_t>(std::min<uint64_t>(file.fileSize, UINT32_MAX));
    if (file.warnings > 0)
        facts.readWarning =
            "JPEGLIB:" + file.firstWarning + " (" + std::to_string(file.warnings) + " 件の警告)";
    return facts;
}

} // namespace

bool ReadJpegHeaders(const std::string& path, const CommentCharsets& readCharsets,
                     JpegHeaderFacts& header) {
    FileHandle file = FileHandle::Open(path, "rb");
    if (!file) return false;
    const long length = std::fseek(file.get(), 0, SEEK_END) == 0 ? std::ftell(file.get()) : 0;
    std::rewind(file.get());
    DecodeSession session;
    JpegMarkerState markers;
    ImageFacts& facts = header.facts;
    const bool described =
        DescribeHeaders(session, file.get(), length > 0 ? length : 0, markers, facts.description);
    if (described) {
        header.width = static_cast<int>(session.info.image_width);
        header.height = static_cast<int>(session.info.image_height);
        facts.fileSize = static_cast<uint32_t>(std::min<long>(length, UINT32_MAX));
        TakeComment(facts, markers, readCharsets);
        if (markers.hasExif) facts.exif = std::move(markers.exif);
    }
    jpeg_destroy_decompress(&session.info);
    return described;
}

bool DescribeJpegHeaders(const std::string& path, std::string& description) {
    JpegHeaderFacts header;
    if (!ReadJpegHeaders(path, {}, header)) return false;
    description = header.facts.description;
    return true;
}

std::optional<DecodedPicture> ReadJpegFile(const std::string& path,
                                           const ImageReadOptions& options) {
    // On a screen that shows true colour as it is, the picture goes straight to the device form.
    const JpegPixelForm form = ScreenKeepsTrueColor(options.screenDepth, options.ditherFor16bit)
                                   ? JpegPixelForm::DeviceForm
                                   : JpegPixelForm::PackedDib;
    auto image = std::make_unique<CDibImage>();
    JpegFileFacts facts;
    if (!DecodeJpegFile(path, form, *image, facts, options.atLeast)) return std::nullopt;
    DecodedPicture decoded{nullptr, FactsOf(facts, options.readCharsets)};
    if (form == JpegPixelForm::PackedDib) image = PrepareForScreen(std::move(image), options);
    if (!image) {
        ReportErrorId(kReaderName, path, StringId::NoBitmap);
        return std::nullopt;
    }
    decoded.image = std::move(image);
    return decoded;
}

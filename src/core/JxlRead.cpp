#include "core/JxlRead.h"

#include "base/ReportError.h"
#include "core/ContainerExif.h"
#include "core/DecodedRows.h"

#include <cstring>
#include <jxl/decode_cxx.h>
#include <jxl/resizable_parallel_runner_cxx.h>
#include <vector>

namespace {

constexpr const char* kLoadName = "LoadJxlFile";
// The decoder's own frame buffers (32-bit float samples) beside the 8-bit output.
constexpr uint64_t kDecoderBytesPerPixel = 20;
// An Exif box larger than this is not read (JPEG's own limit is 64 KB).
constexpr size_t kMaxExifBytes = size_t{1} << 20;

// The state of one decoding run, event by event.
struct JxlJob {
    JxlJob(std::span<const uint8_t> file, const std::string& name, size_t limit)
        : bytes(file), path(name), maxPixels(limit) {}

    JxlDecoder* decoder = nullptr;
    void* runner = nullptr;
    std::span<const uint8_t> bytes;
    const std::string& path;
    size_t maxPixels;
    JxlBasicInfo info{};
    JxlPixelFormat format{};
    std::vector<uint8_t> pixels;
    bool wantPicture = true; // else only the metadata: the ICC profile and the Exif box
    std::vector<uint8_t> exif;
    std::vector<uint8_t> icc;
    bool inExif = false;
    bool jpegReconstruction = false;
    bool pictureDone = false;
};

void ReportUndecodable(const std::string& path) {
    ReportError(kLoadName, path, "JPEG XL ファイルとして読み込めません");
}

std::string Description(const JxlJob& job) {
    const JxlBasicInfo& info = job.info;
    std::string text =
        FormatImageSize(static_cast<int>(info.xsize), static_cast<int>(info.ysize)) + "JXL(";
    if (job.jpegReconstruction)
        text += "JPEG recompressed";
    else
        text += info.uses_original_profile ? "lossless" : "lossy";
    if (info.bits_per_sample > 8) text += " " + std::to_string(info.bits_per_sample) + "bit→8bit";
    if (info.alpha_bits > 0) text += "+alpha";
    if (info.have_animation) text += ", animated";
    return text + ")";
}

bool TakeBasicInfo(JxlJob& job) {
    if (JxlDecoderGetBasicInfo(job.decoder, &job.info) != JXL_DEC_SUCCESS) return false;
    JxlResizableParallelRunnerSetThreads(
        job.runner, JxlResizableParallelRunnerSuggestThreads(job.info.xsize, job.info.ysize));
    job.format = {job.info.alpha_bits > 0 ? 4u : 3u, JXL_TYPE_UINT8, JXL_NATIVE_ENDIAN, 0};
    return true;
}

bool SetPixelBuffer(JxlJob& job) {
    size_t size = 0;
    if (JxlDecoderImageOutBufferSize(job.decoder, &job.format, &size) != JXL_DEC_SUCCESS ||
        size != size_t{job.info.xsize} * job.info.ysize * job.format.num_channels)
        return false;
    job.pixels.resize(size);
    return JxlDecoderSetImageOutBuffer(job.decoder, &job.format, job.pixels.data(), size) ==
           JXL_DEC_SUCCESS;
}

// Ends the Exif box being read, keeping the bytes it gave.
void EndExifBox(JxlJob& job) {
    if (!job.inExif) return;
    job.exif.resize(job.exif.size() - JxlDecoderReleaseBoxBuffer(job.decoder));
    job.inExif = false;
}

// A new box: the Exif box's contents are collected, a JPEG reconstruction box noted.
bool StartBox(JxlJob& job) {
    EndExifBox(job);
    JxlBoxType type;
    if (JxlDecoderGetBoxType(job.decoder, type, JXL_TRUE) != JXL_DEC_SUCCESS) return false;
    if (std::memcmp(type, "jbrd", 4) == 0) job.jpegReconstruction = true;
    if (std::memcmp(type, "Exif", 4) != 0 || !job.exif.empty()) return true;
    job.exif.resize(4096);
    job.inExif = true;
    return JxlDecoderSetBoxBuffer(job.decoder, job.exif.data(), job.exif.size()) == JXL_DEC_SUCCESS;
}

bool GrowExifBuffer(JxlJob& job) {
    const size_t used = job.exif.size() - JxlDecoderReleaseBoxBuffer(job.decoder);
    if (job.exif.size() >= kMaxExifBytes) {
        job.exif.clear();
        job.inExif = false;
        return true;
    }
    job.exif.resize(job.exif.size() * 2);
    return JxlDecoderSetBoxBuffer(job.decoder, job.exif.data() + used, job.exif.size() - used) ==
           JXL_DEC_SUCCESS;
}

// The file's own ICC profile; none when its colours are given by numbers.
bool TakeIccProfile(JxlJob& job) {
    const JxlColorProfileTarget target = JXL_COLOR_PROFILE_TARGET_ORIGINAL;
    JxlColorEncoding encoding;
    if (JxlDecoderGetColorAsEncodedProfile(job.decoder, nullptr, target, &encoding) ==
        JXL_DEC_SUCCESS)
        return true;
    size_t size = 0;
    if (JxlDecoderGetICCProfileSize(job.decoder, nullptr, target, &size) != JXL_DEC_SUCCESS)
        return true;
    job.icc.resize(size);
    return JxlDecoderGetColorAsICCProfile(job.decoder, nullptr, target, job.icc.data(), size) ==
           JXL_DEC_SUCCESS;
}

enum class Step { Continue, Done, Failed, Refused };

Step HandleEvent(JxlJob& job, JxlDecoderStatus status) {
    switch (status) {
    case JXL_DEC_BASIC_INFO:
        if (!TakeBasicInfo(job)) return Step::Failed;
        return MayDecodePicture(kLoadName, job.path, job.info.xsize, job.info.ysize, job.maxPixels,
                                kDecoderBytesPerPixel)
                   ? Step::Continue
                   : Step::Refused;
    case JXL_DEC_COLOR_ENCODING:
        return TakeIccProfile(job) ? Step::Continue : Step::Failed;
    case JXL_DEC_NEED_IMAGE_OUT_BUFFER:
        return SetPixelBuffer(job) ? Step::Continue : Step::Failed;
    case JXL_DEC_FULL_IMAGE:
        job.pictureDone = true;
        // An animation's later frames are not wanted; a still picture goes on to its last
        // boxes, where Exif may follow the codestream.
        return job.info.have_animation ? Step::Done : Step::Continue;
    case JXL_DEC_BOX:
        return StartBox(job) ? Step::Continue : Step::Failed;
    case JXL_DEC_BOX_NEED_MORE_OUTPUT:
        return GrowExifBuffer(job) ? Step::Continue : Step::Failed;
    case JXL_DEC_SUCCESS:
        EndExifBox(job);
        return job.pictureDone || !job.wantPicture ? Step::Done : Step::Failed;
    default: // errors, and input that ends before the picture
        return Step::Failed;
    }
}

Step RunDecoder(JxlJob& job) {
    JxlDecoderPtr decoder = JxlDecoderMake(nullptr);
    JxlResizableParallelRunnerPtr runner = JxlResizableParallelRunnerMake(nullptr);
    job.decoder = decoder.get();
    job.runner = runner.get();
    const int events = job.wantPicture ? JXL_DEC_BASIC_INFO | JXL_DEC_FULL_IMAGE | JXL_DEC_BOX
                                       : JXL_DEC_COLOR_ENCODING | JXL_DEC_BOX;
    if (!decoder || !runner || JxlDecoderSubscribeEvents(job.decoder, events) != JXL_DEC_SUCCESS ||
        JxlDecoderSetParallelRunner(job.decoder, JxlResizableParallelRunner, runner.get()) !=
            JXL_DEC_SUCCESS ||
        JxlDecoderSetDecompressBoxes(job.decoder, JXL_TRUE) != JXL_DEC_SUCCESS ||
        JxlDecoderSetInput(job.decoder, job.bytes.data(), job.bytes.size()) != JXL_DEC_SUCCESS)
        return Step::Failed;
    JxlDecoderCloseInput(job.decoder);
    for (;;) {
        const Step step = HandleEvent(job, JxlDecoderProcessInput(job.decoder));
        if (step != Step::Continue) return step;
    }
}

} // namespace

std::optional<DecodedPicture> DecodeJxl(std::span<const uint8_t> bytes, const std::string& path,
                                        size_t maxPixels, const ImageReadOptions& options) {
    JxlJob job(bytes, path, maxPixels);
    const Step step = RunDecoder(job);
    if (step == Step::Refused) return std::nullopt;
    if (step != Step::Done) {
        ReportUndecodable(path);
        return std::nullopt;
    }
    const DecodedRows rows{job.pixels.data(), size_t{job.info.xsize} * job.format.num_channels,
                           static_cast<int>(job.info.xsize), static_cast<int>(job.info.ysize),
                           static_cast<int>(job.format.num_channels)};
    std::optional<DecodedPicture> decoded =
        ScreenPicture(kLoadName, path, PictureFromRows(rows, options.png.useTransparentOnLoad),
                      options, bytes.size());
    if (!decoded) return std::nullopt;
    decoded->facts.description = Description(job);
    decoded->facts.bitsPerSample = static_cast<int>(job.info.bits_per_sample);
    decoded->facts.exif = ExifOfTiff(TiffOfOffsetPayload(job.exif));
    return decoded;
}

ContainerMetadata ReadJxlMetadata(std::span<const uint8_t> bytes) {
    JxlJob job(bytes, "", 0);
    job.wantPicture = false;
    if (RunDecoder(job) != Step::Done) return {};
    const std::span<const uint8_t> tiff = TiffOfOffsetPayload(job.exif);
    return {{tiff.begin(), tiff.end()}, std::move(job.icc)};
}

std::optional<DecodedPicture> ReadJxlFile(const std::string& path,
                                          const ImageReadOptions& options) {
    std::optional<std::vector<uint8_t>> bytes = ReadEncodedFile(kLoadName, path);
    if (!bytes) return std::nullopt;
    return DecodeJxl(*bytes, path, EncodedPixelLimit(bytes->size()), options);
}

#include "core/WebpRead.h"

#include "base/ReportError.h"
#include "core/ContainerExif.h"
#include "core/DecodedRows.h"

#include <memory>
#include <vector>
#include <webp/decode.h>
#include <webp/demux.h>

namespace {

constexpr const char* kLoadName = "LoadWebpFile";
// The decoder's canvas (4 bytes a pixel) and, for animations, its copy of the previous frame.
constexpr uint64_t kDecoderBytesPerPixel = 8;

struct DemuxDeleter {
    void operator()(WebPDemuxer* demux) const { WebPDemuxDelete(demux); }
};
struct AnimDeleter {
    void operator()(WebPAnimDecoder* decoder) const { WebPAnimDecoderDelete(decoder); }
};
struct WebpDeleter {
    void operator()(uint8_t* pixels) const { WebPFree(pixels); }
};
using Demux = std::unique_ptr<WebPDemuxer, DemuxDeleter>;

// What the container says before any pixel is decoded.
struct WebpLayout {
    uint32_t width = 0, height = 0;
    uint32_t frames = 1;
    bool animated = false;
    bool alpha = false;
    bool lossless = false;
};

void ReportUndecodable(const std::string& path) {
    ReportError(kLoadName, path, "WebP ファイルとして読み込めません");
}

// The compression of the first frame (its own bitstream features) and the canvas's facts.
std::optional<WebpLayout> ReadLayout(WebPDemuxer* demux) {
    WebpLayout layout;
    layout.width = WebPDemuxGetI(demux, WEBP_FF_CANVAS_WIDTH);
    layout.height = WebPDemuxGetI(demux, WEBP_FF_CANVAS_HEIGHT);
    layout.frames = WebPDemuxGetI(demux, WEBP_FF_FRAME_COUNT);
    layout.animated = (WebPDemuxGetI(demux, WEBP_FF_FORMAT_FLAGS) & ANIMATION_FLAG) != 0;
    WebPIterator frame;
    if (!WebPDemuxGetFrame(demux, 1, &frame)) return std::nullopt;
    WebPBitstreamFeatures features;
    const VP8StatusCode status =
        WebPGetFeatures(frame.fragment.bytes, frame.fragment.size, &features);
    layout.alpha = frame.has_alpha != 0 || features.has_alpha != 0;
    WebPDemuxReleaseIterator(&frame);
    if (status != VP8_STATUS_OK) return std::nullopt;
    layout.lossless = features.format == 2;
    return layout;
}

std::string Description(const WebpLayout& layout) {
    std::string text =
        FormatImageSize(static_cast<int>(layout.width), static_cast<int>(layout.height)) + "WebP(" +
        (layout.lossless ? "lossless" : "lossy");
    if (layout.alpha) text += "+alpha";
    if (layout.animated) text += ", " + std::to_string(layout.frames) + " frames";
    return text + ")";
}

// The contents of the first chunk of the type; empty without one.
std::vector<uint8_t> ChunkBytes(WebPDemuxer* demux, const char* fourcc) {
    WebPChunkIterator chunk;
    if (!WebPDemuxGetChunk(demux, fourcc, 1, &chunk)) return {};
    std::vector<uint8_t> bytes(chunk.chunk.bytes, chunk.chunk.bytes + chunk.chunk.size);
    WebPDemuxReleaseChunkIterator(&chunk);
    return bytes;
}

ExifData ReadExif(WebPDemuxer* demux) {
    return ExifOfTiff(TiffOfChunk(ChunkBytes(demux, "EXIF")));
}

// The first frame as the animation shows it: drawn onto the transparent canvas.
std::unique_ptr<CDibImage> DecodeFirstFrame(std::span<const uint8_t> bytes,
                                            const WebpLayout& layout, bool composeAlpha) {
    WebPAnimDecoderOptions animOptions;
    if (!WebPAnimDecoderOptionsInit(&animOptions)) return nullptr;
    animOptions.color_mode = MODE_RGBA;
    animOptions.use_threads = 1;
    const WebPData data{bytes.data(), bytes.size()};
    std::unique_ptr<WebPAnimDecoder, AnimDeleter> decoder(WebPAnimDecoderNew(&data, &animOptions));
    uint8_t* canvas = nullptr;
    int timestamp = 0;
    if (!decoder || !WebPAnimDecoderGetNext(decoder.get(), &canvas, &timestamp)) return nullptr;
    const DecodedRows rows{canvas, size_t{layout.width} * 4, static_cast<int>(layout.width),
                           static_cast<int>(layout.height), 4};
    return PictureFromRows(rows, composeAlpha);
}

std::unique_ptr<CDibImage> DecodeStill(std::span<const uint8_t> bytes, const WebpLayout& layout,
                                       bool composeAlpha) {
    int width = 0, height = 0;
    const int channels = layout.alpha ? 4 : 3;
    std::unique_ptr<uint8_t, WebpDeleter> pixels(
        layout.alpha ? WebPDecodeRGBA(bytes.data(), bytes.size(), &width, &height)
                     : WebPDecodeRGB(bytes.data(), bytes.size(), &width, &height));
    if (!pixels || width != static_cast<int>(layout.width) ||
        height != static_cast<int>(layout.height))
        return nullptr;
    const DecodedRows rows{pixels.get(), static_cast<size_t>(width) * channels, width, height,
                           channels};
    return PictureFromRows(rows, composeAlpha);
}

} // namespace

std::optional<DecodedPicture> DecodeWebp(std::span<const uint8_t> bytes, const std::string& path,
                                         size_t maxPixels, const ImageReadOptions& options) {
    const WebPData data{bytes.data(), bytes.size()};
    Demux demux(WebPDemux(&data));
    std::optional<WebpLayout> layout;
    if (demux) layout = ReadLayout(demux.get());
    if (!layout) {
        ReportUndecodable(path);
        return std::nullopt;
    }
    if (!MayDecodePicture(kLoadName, path, layout->width, layout->height, maxPixels,
                          kDecoderBytesPerPixel))
        return std::nullopt;
    const bool compose = options.png.useTransparentOnLoad;
    std::unique_ptr<CDibImage> image = layout->animated ? DecodeFirstFrame(bytes, *layout, compose)
                                                        : DecodeStill(bytes, *layout, compose);
    if (!image) {
        ReportUndecodable(path);
        return std::nullopt;
    }
    std::optional<DecodedPicture> decoded =
        ScreenPicture(kLoadName, path, std::move(image), options, bytes.size());
    if (!decoded) return std::nullopt;
    decoded->facts.description = Description(*layout);
    decoded->facts.bitsPerSample = 8;
    decoded->facts.exif = ReadExif(demux.get());
    return decoded;
}

ContainerMetadata ReadWebpMetadata(std::span<const uint8_t> bytes) {
    const WebPData data{bytes.data(), bytes.size()};
    Demux demux(WebPDemux(&data));
    if (!demux) return {};
    const std::vector<uint8_t> exif = ChunkBytes(demux.get(), "EXIF");
    const std::span<const uint8_t> tiff = TiffOfChunk(exif);
    return {{tiff.begin(), tiff.end()}, ChunkBytes(demux.get(), "ICCP")};
}

std::optional<DecodedPicture> ReadWebpFile(const std::string& path,
                                           const ImageReadOptions& options) {
    std::optional<std::vector<uint8_t>> bytes = ReadEncodedFile(kLoadName, path);
    if (!bytes) return std::nullopt;
    return DecodeWebp(*bytes, path, EncodedPixelLimit(bytes->size()), options);
}

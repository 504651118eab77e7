#include "core/HeifRead.h"

#include "base/ReportError.h"
#include "core/ContainerExif.h"
#include "core/DecodedRows.h"
#include "core/HeifCoding.h"

#include <libheif/heif.h>
#include <memory>
#include <vector>

namespace {

constexpr const char* kLoadName = "LoadHeifFile";
// The decoder's planes (up to 16 bits a sample with alpha) and the converted RGBA copy.
constexpr uint64_t kDecoderBytesPerPixel = 16;

struct ContextDeleter {
    void operator()(heif_context* context) const { heif_context_free(context); }
};
struct HandleDeleter {
    void operator()(heif_image_handle* handle) const { heif_image_handle_release(handle); }
};
struct ImageDeleter {
    void operator()(heif_image* image) const { heif_image_release(image); }
};
struct OptionsDeleter {
    void operator()(heif_decoding_options* options) const { heif_decoding_options_free(options); }
};
using Context = std::unique_ptr<heif_context, ContextDeleter>;
using Handle = std::unique_ptr<heif_image_handle, HandleDeleter>;

// The primary picture's facts, known before it is decoded.
struct HeifLayout {
    int width = 0, height = 0;
    int bitDepth = 8;
    bool alpha = false;
    int images = 1;
    HeifCoding coding;
};

void ReportLibraryError(const std::string& path, const heif_error& error) {
    ReportError(kLoadName, path,
                std::string("HEIF ファイルとして読み込めません (") + error.message + ")");
}

std::string Description(const HeifLayout& layout) {
    const bool av1 = layout.coding.codec == "AV1";
    std::string text = FormatImageSize(layout.width, layout.height) + (av1 ? "AVIF(" : "HEIF(");
    if (!layout.coding.codec.empty()) text += layout.coding.codec + " ";
    if (!layout.coding.chroma.empty()) text += layout.coding.chroma + " ";
    text += std::to_string(layout.bitDepth) + "bit";
    if (layout.bitDepth > 8) text += "→8bit";
    if (layout.alpha) text += "+alpha";
    if (layout.images > 1) text += ", " + std::to_string(layout.images) + " images";
    return text + ")";
}

// The Exif item's TIFF structure; empty without one.
std::vector<uint8_t> ReadExifTiff(const heif_image_handle* handle) {
    heif_item_id id = 0;
    if (heif_image_handle_get_list_of_metadata_block_IDs(handle, "Exif", &id, 1) < 1) return {};
    std::vector<uint8_t> bytes(heif_image_handle_get_metadata_size(handle, id));
    if (bytes.empty() || heif_image_handle_get_metadata(handle, id, bytes.data()).code != 0)
        return {};
    const std::span<const uint8_t> tiff = TiffOfOffsetPayload(bytes);
    return {tiff.begin(), tiff.end()};
}

// The ICC profile ("prof" or "rICC"); empty for none or colours given by numbers ("nclx").
std::vector<uint8_t> ReadIccProfile(const heif_image_handle* handle) {
    std::vector<uint8_t> profile(heif_image_handle_get_raw_color_profile_size(handle));
    if (profile.empty() ||
        heif_image_handle_get_raw_color_profile(handle, profile.data()).code != heif_error_Ok)
        return {};
    return profile;
}

// The context over the bytes (which it does not copy) and its primary picture's handle.
heif_error OpenPrimary(std::span<const uint8_t> bytes, Context& context, Handle& handle) {
    context.reset(heif_context_alloc());
    heif_error error = heif_context_read_from_memory_without_copy(context.get(), bytes.data(),
                                                                  bytes.size(), nullptr);
    if (error.code != heif_error_Ok) return error;
    heif_image_handle* primary = nullptr;
    error = heif_context_get_primary_image_handle(context.get(), &primary);
    handle.reset(primary);
    return error;
}

// The picture with the file's own transformations (rotation, mirroring, cropping) applied.
std::unique_ptr<CDibImage> DecodePicture(const heif_image_handle* handle, const HeifLayout& layout,
                                         bool composeAlpha, heif_error& error) {
    std::unique_ptr<heif_decoding_options, OptionsDeleter> options(heif_decoding_options_alloc());
    options->convert_hdr_to_8bit = 1;
    heif_image* decoded = nullptr;
    error = heif_decode_image(
        handle, &decoded, heif_colorspace_RGB,
        layout.alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB, options.get());
    std::unique_ptr<heif_image, ImageDeleter> image(decoded);
    if (error.code != heif_error_Ok) return nullptr;
    int stride = 0;
    const uint8_t* data =
        heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
    const int width = heif_image_get_width(image.get(), heif_channel_interleaved);
    const int height = heif_image_get_height(image.get(), heif_channel_interleaved);
    if (!data || width != layout.width || height != layout.height ||
        heif_image_get_bits_per_pixel_range(image.get(), heif_channel_interleaved) != 8) {
        error = {heif_error_Decoder_plugin_error, heif_suberror_Unspecified, "8-bit RGB"};
        return nullptr;
    }
    const DecodedRows rows{data, static_cast<size_t>(stride), width, height, layout.alpha ? 4 : 3};
    return PictureFromRows(rows, composeAlpha);
}

} // namespace

std::optional<DecodedPicture> DecodeHeif(std::span<const uint8_t> bytes, const std::string& path,
                                         size_t maxPixels, const ImageReadOptions& options) {
    Context context;
    Handle handle;
    heif_error error = OpenPrimary(bytes, context, handle);
    if (error.code != heif_error_Ok) {
        ReportLibraryError(path, error);
        return std::nullopt;
    }
    const heif_image_handle* primary = handle.get();
    HeifLayout layout;
    layout.width = heif_image_handle_get_width(primary);
    layout.height = heif_image_handle_get_height(primary);
    layout.bitDepth = heif_image_handle_get_luma_bits_per_pixel(primary);
    layout.alpha = heif_image_handle_has_alpha_channel(primary) != 0;
    layout.images = heif_context_get_number_of_top_level_images(context.get());
    layout.coding = ReadHeifCoding(bytes);
    if (layout.width < 1 || layout.height < 1 ||
        !MayDecodePicture(kLoadName, path, static_cast<uint64_t>(layout.width),
                          static_cast<uint64_t>(layout.height), maxPixels, kDecoderBytesPerPixel))
        return std::nullopt;
    std::unique_ptr<CDibImage> image =
        DecodePicture(primary, layout, options.png.useTransparentOnLoad, error);
    if (error.code != heif_error_Ok) {
        ReportLibraryError(path, error);
        return std::nullopt;
    }
    std::optional<DecodedPicture> decoded =
        ScreenPicture(kLoadName, path, std::move(image), options, bytes.size());
    if (!decoded) return std::nullopt;
    decoded->facts.description = Description(layout);
    decoded->facts.bitsPerSample = layout.bitDepth;
    decoded->facts.exif = ExifOfTiff(ReadExifTiff(primary));
    return decoded;
}

ContainerMetadata ReadHeifMetadata(std::span<const uint8_t> bytes) {
    Context context;
    Handle handle;
    if (OpenPrimary(bytes, context, handle).code != heif_error_Ok) return {};
    return {ReadExifTiff(handle.get()), ReadIccProfile(handle.get())};
}

std::optional<DecodedPicture> ReadHeifFile(const std::string& path,
                                           const ImageReadOptions& options) {
    std::optional<std::vector<uint8_t>> bytes = ReadEncodedFile(kLoadName, path);
    if (!bytes) return std::nullopt;
    return DecodeHeif(*bytes, path, EncodedPixelLimit(bytes->size()), options);
}

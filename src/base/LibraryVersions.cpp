#include "base/LibraryVersions.h"

#include <cstddef>

#include <jpeglib.h>
#include <jxl/decode.h>
#include <libheif/heif.h>
#include <png.h>
#include <webp/decode.h>
#include <zlib.h>

namespace {

// A version packed as major * factor² + minor * factor + patch.
std::string PackedVersion(unsigned long number, unsigned long factor) {
    return std::to_string(number / (factor * factor)) + "." +
           std::to_string(number / factor % factor) + "." + std::to_string(number % factor);
}

// LIBJPEG_TURBO_VERSION_NUMBER is major * 1000000 + minor * 1000 + patch.
std::string JpegTurboVersion() {
    return PackedVersion(LIBJPEG_TURBO_VERSION_NUMBER, 1000);
}

} // namespace

std::vector<LibraryVersion> CodecLibraryVersions() {
    return {{"libjpeg-turbo", JpegTurboVersion()},
            {"libpng", png_get_libpng_ver(nullptr)},
            {"zlib", zlibVersion()},
            {"libheif", heif_get_version()},
            {"libwebp", PackedVersion(static_cast<unsigned long>(WebPGetDecoderVersion()), 256)},
            {"libjxl", PackedVersion(JxlDecoderVersion(), 1000)}};
}

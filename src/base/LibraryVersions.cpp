#include "base/LibraryVersions.h"

#include <cstddef>
#include <cstdio>

#include <jpeglib.h>
#include <png.h>
#include <zlib.h>

namespace {

// LIBJPEG_TURBO_VERSION_NUMBER is major * 1000000 + minor * 1000 + patch.
std::string JpegTurboVersion() {
    const long number = LIBJPEG_TURBO_VERSION_NUMBER;
    char text[32];
    std::snprintf(text, sizeof text, "%ld.%ld.%ld", number / 1000000, number / 1000 % 1000,
                  number % 1000);
    return text;
}

} // namespace

std::vector<LibraryVersion> CodecLibraryVersions() {
    return {{"libjpeg-turbo", JpegTurboVersion()},
            {"libpng", png_get_libpng_ver(nullptr)},
            {"zlib", zlibVersion()}};
}

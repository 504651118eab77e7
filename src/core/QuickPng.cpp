#include "core/QuickPng.h"

#include "core/PngMessages.h"

#include <csetjmp>
#include <new>
#include <zlib.h>

namespace {

void AppendBytes(png_structp png, png_bytep bytes, png_size_t count) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    bool stored = true;
    try {
        out->insert(out->end(), bytes, bytes + count);
    } catch (const std::bad_alloc&) {
        stored = false;
    }
    if (!stored) png_error(png, "out of memory"); // no exception may cross libpng
}

void NoFlush(png_structp) {}

// The libpng part; only `out` (outside this frame) changes after setjmp.
bool Encode(png_structp png, png_infop info, const uint8_t* rows, size_t width, size_t height,
            size_t stride, std::vector<uint8_t>& out) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_write_fn(png, &out, AppendBytes, NoFlush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, Z_BEST_SPEED);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
    png_write_info(png, info);
    png_set_bgr(png);
    png_set_filler(png, 0, PNG_FILLER_AFTER); // the X byte of each pixel is dropped
    for (size_t y = 0; y < height; ++y)
        png_write_row(png, rows + y * stride);
    png_write_end(png, info);
    return true;
}

} // namespace

std::vector<uint8_t> EncodeQuickPng(const uint8_t* rows, size_t width, size_t height,
                                    size_t stride) {
    std::vector<uint8_t> out;
    if (!rows || width == 0 || height == 0 || width > PNG_UINT_31_MAX || height > PNG_UINT_31_MAX ||
        stride < width * 4)
        return out;
    PngFailure failure;
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, &failure, PngErrorReturn, PngWarningIgnored);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    const bool done = info && Encode(png, info, rows, width, height, stride, out);
    png_destroy_write_struct(&png, &info);
    if (!done) out = {};
    return out;
}

#pragma once
// Small JPEG files made with libjpeg for the filter tests, and libjpeg decoding to compare the
// pixels of two files.
#include "jpegtools/JpegErrorManager.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

struct TestJpegRecipe {
    int width = 24, height = 16;
    J_COLOR_SPACE stored = JCS_YCbCr; // JCS_RGB and JCS_YCCK get an Adobe APP14 from libjpeg
    bool progressive = false;
    bool jfif = true;
    std::vector<std::pair<int, std::string>> markers; // code, payload; after SOI and JFIF
};

// Encodes a gradient image as the recipe says.
inline std::string EncodeTestJpeg(const TestJpegRecipe& recipe) {
    jpeg_compress_struct info{};
    JpegErrorManager errors;
    info.err = InstallJpegErrorManager(errors);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&info);
        std::free(buffer);
        return {};
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    const bool fourChannels = recipe.stored == JCS_YCCK;
    info.image_width = recipe.width;
    info.image_height = recipe.height;
    info.input_components = fourChannels ? 4 : 3;
    info.in_color_space = fourChannels ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_colorspace(&info, recipe.stored);
    info.write_JFIF_header = recipe.jfif ? TRUE : FALSE;
    if (recipe.progressive) jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    for (const auto& [code, payload] : recipe.markers)
        jpeg_write_marker(&info, code, reinterpret_cast<const JOCTET*>(payload.data()),
                          static_cast<unsigned>(payload.size()));
    std::vector<JSAMPLE> row(static_cast<size_t>(recipe.width) * info.input_components);
    while (info.next_scanline < info.image_height) {
        for (size_t i = 0; i < row.size(); ++i)
            row[i] = static_cast<JSAMPLE>(i * 7 + info.next_scanline * 13);
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::string bytes(reinterpret_cast<char*>(buffer), size);
    std::free(buffer);
    return bytes;
}

struct DecodedImage {
    bool ok = false;
    int width = 0, height = 0, components = 0;
    std::vector<JSAMPLE> pixels;
    bool operator==(const DecodedImage&) const = default;
};

// Decodes as djpeg does by default: libjpeg's own choice of colour space, every scan.
inline DecodedImage DecodeJpeg(const std::string& bytes) {
    DecodedImage image;
    jpeg_decompress_struct info{};
    JpegErrorManager errors;
    info.err = InstallJpegErrorManager(errors);
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        return DecodedImage{};
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    jpeg_read_header(&info, TRUE);
    jpeg_start_decompress(&info);
    image.width = static_cast<int>(info.output_width);
    image.height = static_cast<int>(info.output_height);
    image.components = info.output_components;
    const size_t stride = size_t{info.output_width} * info.output_components;
    image.pixels.resize(stride * info.output_height);
    while (info.output_scanline < info.output_height) {
        JSAMPROW rows[] = {image.pixels.data() + stride * info.output_scanline};
        jpeg_read_scanlines(&info, rows, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    image.ok = true;
    return image;
}

#pragma once
// Small PNG files made and read back with libpng itself, for the reader's and writer's tests.
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include <png.h>

struct TestText {
    std::string key;
    std::string text;
    int compression = PNG_TEXT_COMPRESSION_NONE;
    std::string language;
};

// A PNG to write: samples are given one per byte below 8 bits, big-endian pairs at 16 bits.
struct TestPng {
    uint32_t width = 1, height = 1;
    int colorType = PNG_COLOR_TYPE_RGB;
    int bitDepth = 8;
    bool interlaced = false;
    std::vector<uint8_t> samples; // rows top first, no padding
    std::vector<png_color> palette;
    std::vector<uint8_t> alpha; // palette tRNS
    std::optional<png_color_16> transparentColor;
    std::optional<double> gamma;
    std::optional<int> srgbIntent;
    std::vector<TestText> texts;

    size_t RowBytes() const {
        int channels = png_get_channels_for(colorType);
        return static_cast<size_t>(width) * channels * (bitDepth == 16 ? 2 : 1);
    }
    static int png_get_channels_for(int type) {
        switch (type) {
        case PNG_COLOR_TYPE_RGB:
            return 3;
        case PNG_COLOR_TYPE_RGB_ALPHA:
            return 4;
        case PNG_COLOR_TYPE_GRAY_ALPHA:
            return 2;
        default:
            return 1;
        }
    }
};

inline bool WriteTestPng(const std::string& path, const TestPng& png) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    png_structp write = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(write);
    std::vector<png_bytep> rows(png.height);
    std::vector<png_text> texts;
    if (setjmp(png_jmpbuf(write))) {
        png_destroy_write_struct(&write, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(write, file);
    png_set_IHDR(write, info, png.width, png.height, png.bitDepth, png.colorType,
                 png.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!png.palette.empty())
        png_set_PLTE(write, info, png.palette.data(), static_cast<int>(png.palette.size()));
    if (!png.alpha.empty())
        png_set_tRNS(write, info, png.alpha.data(), static_cast<int>(png.alpha.size()), nullptr);
    if (png.transparentColor) {
        png_color_16 color = *png.transparentColor;
        png_set_tRNS(write, info, nullptr, 1, &color);
    }
    if (png.gamma) png_set_gAMA(write, info, *png.gamma);
    if (png.srgbIntent) png_set_sRGB(write, info, *png.srgbIntent);
    for (const TestText& text : png.texts) {
        png_text entry{};
        entry.compression = text.compression;
        entry.key = const_cast<char*>(text.key.c_str());
        entry.text = const_cast<char*>(text.text.c_str());
        entry.lang = const_cast<char*>(text.language.c_str());
        texts.push_back(entry);
    }
    if (!texts.empty()) png_set_text(write, info, texts.data(), static_cast<int>(texts.size()));
    png_write_info(write, info);
    if (png.bitDepth < 8) png_set_packing(write);
    for (uint32_t y = 0; y < png.height; ++y)
        rows[y] = const_cast<png_bytep>(png.samples.data()) + y * png.RowBytes();
    png_write_image(write, rows.data());
    png_write_end(write, info);
    png_destroy_write_struct(&write, &info);
    return std::fclose(file) == 0;
}

// What libpng finds in a file: IHDR, PLTE, tRNS, gAMA, texts and the unpacked samples.
struct ReadBackPng {
    bool ok = false;
    uint32_t width = 0, height = 0;
    int colorType = -1, bitDepth = 0, interlace = 0;
    std::vector<png_color> palette;
    std::vector<uint8_t> alpha;
    std::optional<png_color_16> transparentColor;
    std::optional<double> gamma;
    std::vector<TestText> texts;
    std::vector<std::vector<uint8_t>> rows; // one sample per byte below 8 bits
};

// With `rgb` the samples are libpng's own expansion to 8-bit RGB: 16-bit samples to their high
// byte, palette and gray expanded, alpha dropped; corrected from fileGamma to screenGamma when
// both are given.
inline ReadBackPng ReadBackTestPng(const std::string& path, bool rgb = false,
                                   double screenGamma = 0, double fileGamma = 0) {
    ReadBackPng result;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return result;
    png_structp read = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(read);
    if (setjmp(png_jmpbuf(read))) {
        png_destroy_read_struct(&read, &info, nullptr);
        std::fclose(file);
        result.ok = false;
        return result;
    }
    png_init_io(read, file);
    if (screenGamma > 0 && fileGamma > 0) png_set_gamma(read, screenGamma, fileGamma);
    int transforms = PNG_TRANSFORM_PACKING;
    if (rgb)
        transforms |= PNG_TRANSFORM_STRIP_16 | PNG_TRANSFORM_STRIP_ALPHA | PNG_TRANSFORM_EXPAND |
                      PNG_TRANSFORM_GRAY_TO_RGB;
    png_read_png(read, info, transforms, nullptr);
    result.width = png_get_image_width(read, info);
    result.height = png_get_image_height(read, info);
    result.colorType = png_get_color_type(read, info);
    // The bit depth as the file's IHDR has it (byte 24), before the transformations.
    unsigned char ihdr[25] = {};
    std::fseek(file, 0, SEEK_SET);
    result.bitDepth = std::fread(ihdr, 1, sizeof ihdr, file) == sizeof ihdr ? ihdr[24] : 0;
    result.interlace = png_get_interlace_type(read, info);
    png_colorp palette = nullptr;
    int count = 0;
    if (png_get_PLTE(read, info, &palette, &count)) result.palette.assign(palette, palette + count);
    png_bytep alpha = nullptr;
    png_color_16p color = nullptr;
    if (png_get_tRNS(read, info, &alpha, &count, &color)) {
        if (result.colorType == PNG_COLOR_TYPE_PALETTE)
            result.alpha.assign(alpha, alpha + count);
        else
            result.transparentColor = *color;
    }
    double gamma = 0;
    if (png_get_gAMA(read, info, &gamma)) result.gamma = gamma;
    png_textp texts = nullptr;
    int textCount = png_get_text(read, info, &texts, nullptr);
    for (int i = 0; i < textCount; ++i)
        result.texts.push_back({texts[i].key, texts[i].text, texts[i].compression,
                                texts[i].lang ? texts[i].lang : ""});
    png_bytepp rows = png_get_rows(read, info);
    size_t rowBytes = png_get_rowbytes(read, info);
    for (uint32_t y = 0; y < result.height; ++y)
        result.rows.emplace_back(rows[y], rows[y] + rowBytes);
    png_destroy_read_struct(&read, &info, nullptr);
    std::fclose(file);
    result.ok = true;
    return result;
}

#pragma once
// Test JPEG files made with libjpeg itself, and readers of what a JPEG file holds, for checking
// the program's reader and writer against the library.
#include "support/TempDir.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <jpeglib.h>

struct TestJpegOptions {
    int width = 64, height = 48;
    int quality = 75;
    int hSampling = 2, vSampling = 2;
    bool progressive = false;
    J_COLOR_SPACE inSpace = JCS_RGB;       // JCS_RGB, JCS_GRAYSCALE or JCS_CMYK
    J_COLOR_SPACE fileSpace = JCS_UNKNOWN; // JCS_UNKNOWN: libjpeg's default for inSpace
    bool jfif = true;
    // Segments written right after the JFIF segment: marker code and body.
    std::vector<std::pair<int, std::string>> markers;
    // Sample of component c at (x, y); null: TestSample.
    std::function<JSAMPLE(int x, int y, int c)> sample;
};

// A sample of the test picture at (x, y) for component c.
inline JSAMPLE TestSample(int x, int y, int c) {
    return static_cast<JSAMPLE>((x * 7 + y * 3 + c * 80 + (x * y) % 13) & 0xFF);
}

struct TestJpegError {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

inline void TestJpegErrorExit(j_common_ptr info) {
    std::longjmp(reinterpret_cast<TestJpegError*>(info->err)->jump, 1);
}

// Writes a JPEG file of the test picture; false when libjpeg refuses.
inline bool WriteTestJpeg(const std::string& path, const TestJpegOptions& options) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    jpeg_compress_struct info{};
    TestJpegError errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = TestJpegErrorExit;
    std::vector<JSAMPLE> row;
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&info);
        std::fclose(file);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = options.width;
    info.image_height = options.height;
    info.in_color_space = options.inSpace;
    info.input_components = options.inSpace == JCS_GRAYSCALE ? 1
                            : options.inSpace == JCS_CMYK    ? 4
                                                             : 3;
    jpeg_set_defaults(&info);
    if (options.fileSpace != JCS_UNKNOWN) jpeg_set_colorspace(&info, options.fileSpace);
    jpeg_set_quality(&info, options.quality, TRUE);
    info.comp_info[0].h_samp_factor = options.hSampling;
    info.comp_info[0].v_samp_factor = options.vSampling;
    info.write_JFIF_header = options.jfif;
    if (options.progressive) jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    for (const auto& [marker, body] : options.markers)
        jpeg_write_marker(&info, marker, reinterpret_cast<const JOCTET*>(body.data()),
                          static_cast<unsigned>(body.size()));
    row.resize(static_cast<size_t>(options.width) * info.input_components);
    while (info.next_scanline < info.image_height) {
        int y = static_cast<int>(info.next_scanline);
        for (int x = 0; x < options.width; ++x)
            for (int c = 0; c < info.input_components; ++c)
                row[static_cast<size_t>(x) * info.input_components + c] =
                    options.sample ? options.sample(x, y, c) : TestSample(x, y, c);
        JSAMPROW pointer = row.data();
        jpeg_write_scanlines(&info, &pointer, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(file);
    return true;
}

// What libjpeg reads back from a file: the frame and the segments the tests check.
struct JpegReadBack {
    bool ok = false;
    int width = 0, height = 0, components = 0;
    J_COLOR_SPACE colorSpace = JCS_UNKNOWN;
    int hSampling = 0, vSampling = 0;
    bool progressive = false;
    unsigned restartInterval = 0;
    int densityUnit = 0, xDensity = 0, yDensity = 0;
    std::vector<std::vector<uint16_t>> tables; // the defined tables, slot order
    std::vector<std::string> comments;
};

inline JpegReadBack ReadBackJpeg(const std::string& path) {
    JpegReadBack back;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return back;
    jpeg_decompress_struct info{};
    TestJpegError errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = TestJpegErrorExit;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        std::fclose(file);
        return back;
    }
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_save_markers(&info, JPEG_COM, 0xFFFF);
    jpeg_read_header(&info, TRUE);
    back.width = static_cast<int>(info.image_width);
    back.height = static_cast<int>(info.image_height);
    back.components = info.num_components;
    back.colorSpace = info.jpeg_color_space;
    back.hSampling = info.comp_info[0].h_samp_factor;
    back.vSampling = info.comp_info[0].v_samp_factor;
    back.progressive = info.progressive_mode;
    back.restartInterval = info.restart_interval;
    back.densityUnit = info.density_unit;
    back.xDensity = info.X_density;
    back.yDensity = info.Y_density;
    for (JQUANT_TBL* table : info.quant_tbl_ptrs)
        if (table) back.tables.emplace_back(table->quantval, table->quantval + 64);
    for (jpeg_saved_marker_ptr m = info.marker_list; m; m = m->next)
        back.comments.emplace_back(reinterpret_cast<const char*>(m->data), m->data_length);
    jpeg_destroy_decompress(&info);
    std::fclose(file);
    back.ok = true;
    return back;
}

// A PNM image as djpeg writes it (P5 gray or P6 colour), samples as stored.
struct PnmImage {
    int width = 0, height = 0, channels = 0;
    std::vector<uint8_t> samples;
};

inline bool ParsePnm(const std::string& bytes, PnmImage& image) {
    int maxValue = 0, consumed = 0;
    char kind = 0;
    if (std::sscanf(bytes.c_str(), "P%c %d %d %d%n", &kind, &image.width, &image.height, &maxValue,
                    &consumed) != 4 ||
        maxValue != 255)
        return false;
    image.channels = kind == '5' ? 1 : kind == '6' ? 3 : 0;
    size_t size = static_cast<size_t>(image.width) * image.height * image.channels;
    size_t start = static_cast<size_t>(consumed) + 1;
    if (image.channels == 0 || bytes.size() < start + size) return false;
    image.samples.assign(bytes.begin() + start, bytes.begin() + start + size);
    return true;
}

// djpeg's decoding of a file; false when djpeg writes no image.
inline bool DjpegDecode(const std::string& path, PnmImage& image) {
    TempDir dir;
    std::string command = "djpeg -pnm '" + path + "' >" + dir.File("out.pnm") + " 2>/dev/null";
    std::system(command.c_str());
    return ParsePnm(TempDir::Read(dir.File("out.pnm")), image);
}

// The segments of a JPEG file up to the first SOS: marker code and position.
inline std::vector<std::pair<int, size_t>> JpegSegments(const std::string& bytes) {
    std::vector<std::pair<int, size_t>> segments;
    size_t at = 2;
    while (at + 4 <= bytes.size() && static_cast<uint8_t>(bytes[at]) == 0xFF) {
        int marker = static_cast<uint8_t>(bytes[at + 1]);
        segments.emplace_back(marker, at);
        if (marker == 0xDA) break;
        at += 2 + (static_cast<uint8_t>(bytes[at + 2]) << 8 | static_cast<uint8_t>(bytes[at + 3]));
    }
    return segments;
}

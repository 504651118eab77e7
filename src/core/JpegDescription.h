#pragma once
// The one-line format description of a JPEG file, made from a decompressor after reading or a
// compressor after writing: size, JFIF or Exif version, colour space, sampling, progressive
// mode and the estimated quality of the quantization tables.
#include <cstdint>
#include <string>

#include <cstdio>
#include <jpeglib.h>

class CIfdReader;

// What the description is made of, taken from either kind of libjpeg structure.
struct JpegFrameFacts {
    unsigned width = 0, height = 0;
    bool jfif = false;
    int jfifMajor = 0, jfifMinor = 0;
    int colorSpace = JCS_UNKNOWN;
    int components = 0;
    int hSampling = 1, vSampling = 1;
    bool progressive = false;
    const JQUANT_TBL* tables[NUM_QUANT_TBLS] = {};
};

JpegFrameFacts FrameFactsOf(const jpeg_decompress_struct& info);
JpegFrameFacts FrameFactsOf(const jpeg_compress_struct& info);

struct JpegDescription {
    std::string text;
    bool grayscale = false;
    // The tables' running sum: the first table's sum, then halved with each further table's.
    uint32_t qualityEstimate = 0;
};

// `exifLabel` stands in for "JPEG" when the file has no JFIF marker but Exif data
// ("Exif2.2", "Exif1.0/R98"); empty when there is none.
JpegDescription DescribeJpeg(const JpegFrameFacts& facts, const std::string& exifLabel);

// "2.2" for the version text "0220", "2.21" for "0221": major from the first two characters,
// minor from the last two, a minor that is a multiple of 10 shown divided by 10.
std::string ExifVersionNumber(const char* text, size_t length);

// "Exif" and the version of the ExifVersion tag (0x9000); without it the Interoperability
// version (tag 2) followed by "/" and the Interoperability index (tag 1): "Exif1.0/R98".
std::string ExifLabel(const CIfdReader& reader);

#pragma once
// The JPEG reader: decodes a file with libjpeg into a packed bottom-up 24-bit DIB and gathers
// what the document keeps about the file (comment, Exif block, quantization tables and the
// format description).
#include "core/DibImage.h"
#include "core/ImageFacts.h"
#include "core/ImageReadOptions.h"
#include "core/JpegDescription.h"
#include "core/JpegMarkers.h"
#include "jpegtools/QuantTablePair.h"

#include <cstdio>
#include <optional>
#include <string>

// What the decoder fills: the packed DIB (a 40-byte header, rows bottom-up, blue, green, red),
// or, for a screen that shows true colour as it is, the true-colour device form directly.
enum class JpegPixelForm { PackedDib, DeviceForm };

struct JpegFileFacts {
    JpegMarkerState markers;
    // The file's tables of slots 0 and 1, where it defines them.
    bool hasTable[2] = {};
    QuantTable tables[2] = {};
    JpegDescription description;
    uint64_t fileSize = 0;
    // The library's warnings while decoding (data that ended early, corrupt data skipped):
    // their number and the first one's text.
    long warnings = 0;
    std::string firstWarning;
};

// Decodes an open file into the image in the given form. Pictures of more than maxPixels
// pixels are refused as out of memory. Failures are reported ("JPEGLIB" with the library's
// message, or "LoadJpegFile" with the path) and leave the image empty.
bool DecodeJpegStream(std::FILE* file, const std::string& path, size_t maxPixels,
                      JpegPixelForm form, CDibImage& image, JpegFileFacts& facts,
                      DecodeAtLeast atLeast = {});
// Opens the file and decodes it, allowing as many pixels as its length makes plausible.
bool DecodeJpegFile(const std::string& path, JpegPixelForm form, CDibImage& image,
                    JpegFileFacts& facts, DecodeAtLeast atLeast = {});
// The frame size from the file's headers, without decoding; false when libjpeg rejects them.
bool ReadJpegFrameSize(const std::string& path, int& width, int& height);

// The description a full read gives, made from the headers alone: the markers and the frame
// up to the first scan, without decoding a pixel. False when the headers cannot promise the same
// text (a progressive or multi-scan file, whose later tables may differ; a picture the full
// read would refuse; a file the library rejects), so that the caller reads the file in full.
// Nothing is reported.
bool DescribeJpegHeaders(const std::string& path, std::string& description);
// What the headers tell of the file as a full read would: the description, the frame size and,
// as facts, the file size, the comment (the current item) and the Exif block; no picture and no
// tables. False as for DescribeJpegHeaders.
struct JpegHeaderFacts {
    ImageFacts facts;
    int width = 0, height = 0;
};
bool ReadJpegHeaders(const std::string& path, const CommentCharsets& readCharsets,
                     JpegHeaderFacts& header);

// The reader: the picture ready for the options' screen, and as facts the comment (the
// current item), the Exif block with its parsed form, the file's tables, the grayscale flag,
// the quality estimate and the description.
std::optional<DecodedPicture> ReadJpegFile(const std::string& path,
                                           const ImageReadOptions& options);

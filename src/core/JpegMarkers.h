#pragma once
// The COM and APP1 marker processors of the JPEG reader. They read their segments through the
// decompressor's source manager while libjpeg reads the header, and keep what the document
// needs: the comment bytes (the last COM segment, or the Exif UserComment) and the Exif block.
#include "jpegtools/ExifReader.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <cstdio>
#include <jpeglib.h>

struct JpegMarkerState {
    // A comment was found; the bytes may be empty.
    bool hasComment = false;
    int commentCharset = -1; // -1: decided by the settings
    std::string comment;
    bool hasExif = false;
    std::vector<uint8_t> exifData; // the APP1 body after "Exif\0\0"
    // The parsed Exif block; its entries view exifData's buffer (a move of the vector keeps it).
    std::unique_ptr<CExifReader> exif;
};

// Installs both processors; the state travels in the decompressor's client_data and must
// outlive the header read.
void InstallMarkerProcessors(jpeg_decompress_struct& info, JpegMarkerState& state);

#pragma once
// The COM and APP1 marker processors of the JPEG reader. They read their segments through the
// decompressor's source manager while libjpeg reads the header, and keep what the document
// needs: the comment bytes (the last COM segment, or the Exif UserComment) and the Exif block.
#include "core/ExifData.h"

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
    // The APP1 body after "Exif\0\0" and its parser, kept together.
    ExifData exif;
    std::vector<uint8_t> exifBlock; // the block while it is read (processors keep no locals)
};

// Installs both processors; the state travels in the decompressor's client_data and must
// outlive the header read.
void InstallMarkerProcessors(jpeg_decompress_struct& info, JpegMarkerState& state);

#pragma once
// Exif data as the newer picture containers store it: a WebP "EXIF" chunk holds the TIFF
// structure itself (some writers put JPEG's "Exif\0\0" in front), a HEIF "Exif" item and a
// JPEG XL "Exif" box start with the 32-bit big-endian offset of the TIFF header behind them.
// The TIFF structure is what a JPEG's Exif block holds after its identifier, so it goes to the
// same Exif reader and into the same APP1 segment.
#include "core/ExifData.h"

#include <cstdint>
#include <span>
#include <vector>

// The Exif data and ICC profile of a container, read without decoding its picture.
struct ContainerMetadata {
    std::vector<uint8_t> exif; // the TIFF structure, empty without Exif data
    std::vector<uint8_t> icc;  // the ICC profile as stored, empty without one
};

// The TIFF structure of a chunk that holds it; empty when it is not one.
std::span<const uint8_t> TiffOfChunk(std::span<const uint8_t> bytes);
// The TIFF structure of an item or box that starts with the offset of its TIFF header.
std::span<const uint8_t> TiffOfOffsetPayload(std::span<const uint8_t> bytes);
// The Exif data of a TIFF structure; absent when it is empty.
ExifData ExifOfTiff(std::span<const uint8_t> tiff);

#pragma once
// Exif data as the newer picture containers store it, handed to the Exif reader of JPEG files:
// a WebP "EXIF" chunk holds the TIFF structure itself (some writers put JPEG's "Exif\0\0" in
// front), a HEIF "Exif" item and a JPEG XL "Exif" box start with the 32-bit big-endian offset
// of the TIFF header behind them.
#include "core/ExifData.h"

#include <cstdint>
#include <span>

// The Exif data of a chunk holding the TIFF structure; absent when it is not one.
ExifData ExifFromTiffChunk(std::span<const uint8_t> bytes);
// The Exif data of an item or box that starts with the offset of its TIFF header.
ExifData ExifFromOffsetPayload(std::span<const uint8_t> bytes);

#pragma once
// Keeping a JPEG source's metadata in a converted file: its Exif APP1 and ICC profile APP2
// segments, in their order, put after the new file's APP0 (or directly after SOI).
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// The whole segments (marker, length field, payload), read before the source may be replaced.
// Empty when the file has none or cannot be read.
std::vector<std::string> ReadJpegMetadata(const std::string& source);

// Rewrites the JPEG file with the segments inserted; an empty list leaves it untouched. False
// when it cannot be read or written (it then keeps its contents).
bool InsertJpegMetadata(const std::string& target, const std::vector<std::string>& segments);

// The segments that carry metadata of another format into a JPEG file: an Exif APP1 of the
// TIFF structure (left out when it does not fit one segment) and the ICC profile in as many
// APP2 chunks as it needs (left out beyond 255 of them).
std::vector<std::string> MetadataSegments(std::span<const uint8_t> exifTiff,
                                          std::span<const uint8_t> icc);

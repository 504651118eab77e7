#pragma once
// The TIFF reader: uncompressed, chunky, 8-bit-per-sample files as gray, palette or RGB
// pictures, read with the directory parser of the Exif reader. Every other variant is refused
// with a message naming the tag that rules it out.
#include "core/ImageFacts.h"
#include "core/ImageReadOptions.h"

#include <cstddef>
#include <cstdio>
#include <optional>
#include <string>

// The reader; pictures may have as many pixels as the file has bytes (above a floor).
std::optional<DecodedPicture> ReadTiffFile(const std::string& path,
                                           const ImageReadOptions& options);
// Reads an open file (positioned anywhere); more than maxPixels pixels are refused as out of
// memory. Failures are reported with the path.
std::optional<DecodedPicture> ReadTiffStream(std::FILE* file, const std::string& path,
                                             size_t maxPixels, const ImageReadOptions& options);

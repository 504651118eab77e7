#pragma once
// The HEIF and AVIF reader (libheif, with its HEVC and AV1 decoders): the primary picture of the
// file, reduced to 8 bits a sample, with its alpha channel. The description names the codec,
// the chroma subsampling, the bit depth and how many pictures the file holds; the "Exif" item
// goes to the Exif reader, and with the ICC profile to a JPEG that keeps the metadata.
#include "core/ContainerExif.h"
#include "core/ImageFacts.h"
#include "core/ImageReadOptions.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

std::optional<DecodedPicture> ReadHeifFile(const std::string& path,
                                           const ImageReadOptions& options);
// Decodes the bytes of a file; more than maxPixels pixels are refused as out of memory.
// Failures are reported with the path.
std::optional<DecodedPicture> DecodeHeif(std::span<const uint8_t> bytes, const std::string& path,
                                         size_t maxPixels, const ImageReadOptions& options);
// The primary picture's Exif item and ICC profile; empty when the bytes do not parse.
ContainerMetadata ReadHeifMetadata(std::span<const uint8_t> bytes);

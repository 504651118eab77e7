#pragma once
// The WebP reader (libwebp): lossy, lossless and animated files, of which the first frame is
// shown. The description says the compression, the alpha channel and the frame count; the EXIF
// chunk goes to the Exif reader, and with the ICCP chunk to a JPEG that keeps the metadata.
#include "core/ContainerExif.h"
#include "core/ImageFacts.h"
#include "core/ImageReadOptions.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

std::optional<DecodedPicture> ReadWebpFile(const std::string& path,
                                           const ImageReadOptions& options);
// Decodes the bytes of a file; more than maxPixels pixels are refused as out of memory.
// Failures are reported with the path.
std::optional<DecodedPicture> DecodeWebp(std::span<const uint8_t> bytes, const std::string& path,
                                         size_t maxPixels, const ImageReadOptions& options);
// The EXIF and ICCP chunks' contents; empty when the bytes are no WebP file.
ContainerMetadata ReadWebpMetadata(std::span<const uint8_t> bytes);

#pragma once
// The JPEG XL reader (libjxl): the picture (the first frame of an animation) in 8 bits a sample
// with its alpha channel and the file's orientation applied. The description says lossless,
// lossy or a recompressed JPEG, and a reduced bit depth; the "Exif" box (Brotli-compressed or
// not) goes to the Exif reader, and with the ICC profile to a JPEG that keeps the metadata.
#include "core/ContainerExif.h"
#include "core/ImageFacts.h"
#include "core/ImageReadOptions.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

std::optional<DecodedPicture> ReadJxlFile(const std::string& path, const ImageReadOptions& options);
// Decodes the bytes of a file; more than maxPixels pixels are refused as out of memory.
// Failures are reported with the path.
std::optional<DecodedPicture> DecodeJxl(std::span<const uint8_t> bytes, const std::string& path,
                                        size_t maxPixels, const ImageReadOptions& options);
// The Exif box's TIFF structure and the file's own ICC profile, read without decoding the
// picture; empty when the bytes do not parse.
ContainerMetadata ReadJxlMetadata(std::span<const uint8_t> bytes);

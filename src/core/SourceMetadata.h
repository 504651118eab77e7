#pragma once
// The metadata a JPEG output keeps of its source (KeepMetadata, --keep-metadata): a JPEG's own
// Exif and ICC segments, or segments made from the Exif data and ICC profile of a WebP,
// HEIF/AVIF or JPEG XL file.
#include "core/ContainerExif.h"

#include <optional>
#include <string>
#include <vector>

// The whole segments (marker, length field, payload), read before the source may be replaced.
// A source is a JPEG file by its name, the other formats by their first bytes. Empty for other
// types, files without metadata and files that cannot be read.
std::vector<std::string> ReadSourceMetadata(const std::string& source);

// Whether the type is one whose metadata ReadContainerMetadata reads (WebP, HEIF, AVIF, JPEG XL).
bool HasContainerMetadata(int type);
// The Exif data and ICC profile of a file of such a type, read without decoding its picture;
// nothing when the file cannot be read, empty when it holds none or does not parse.
std::optional<ContainerMetadata> ReadContainerMetadata(const std::string& path, int type);

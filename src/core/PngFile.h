#pragma once
// The PNG reader and writer of the format table (type 136): pictures and facts on the side of
// PngRead and PngWrite.
#include "core/ImageFacts.h"
#include "core/ImageReadOptions.h"

#include <optional>
#include <string>

class COutputFiles;
struct ImageSaveRequest;

// Reads the file: picture, and as facts description, palette, transparent colour, gamma, text
// chunks as comment items ("Comment" becomes the current item).
std::optional<DecodedPicture> ReadPngImage(const std::string& path,
                                           const ImageReadOptions& options);
// Writes the picture in the request's PNG save mode into a stream of the save's output files;
// the written file's palette, description, depth and grayscale flag go into written.
bool SavePngDocument(const ImageSaveRequest& request, ImageFacts& written, COutputFiles& output,
                     const std::string& path);

#pragma once
// The PNG reader and writer of the document (type 136): the document's side of PngRead and
// PngWrite.
#include "core/ImageFacts.h"
#include "core/ImageReadOptions.h"

#include <string>

class CImageDoc;
class COutputFiles;
struct ImageWriteOptions;

// Reads the file: picture, and as facts description, palette, transparent colour, gamma, text
// chunks as comment items ("Comment" becomes the current item).
bool ReadPngImage(const std::string& path, const ImageReadOptions& options,
                  DecodedPicture& decoded);
// Writes the document in its PNG save mode into a stream of the save's output files; the
// written file's palette, description, depth and grayscale flag go into written.
bool SavePngDocument(CImageDoc& document, const ImageWriteOptions& options, ImageFacts& written,
                     COutputFiles& output, const std::string& path);

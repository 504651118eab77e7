#pragma once
// Windows and OS/2 bitmap files (".bmp", ".dib", ".rle"): read into an image buffer (every
// depth and compression the image buffer decodes), written as uncompressed Windows bitmaps.
#include "core/DibImage.h"
#include "core/ImageReadOptions.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

// Reads a BMP file and prepares it for display. On success description holds the format
// description ("640x480 Windows BMP(24bit)") and the image its fileSize and lastHeader; on
// failure the error has been reported ("LoadBmpFile") and the result is null.
std::unique_ptr<CDibImage> ReadBmpFile(const std::string& path, const ImageReadOptions& options,
                                       std::string& description);
// The same over the bytes of a file; path only names it in reports.
std::unique_ptr<CDibImage> ReadBmpBytes(const uint8_t* bytes, size_t size, const std::string& path,
                                        const ImageReadOptions& options, std::string& description);

// Writes the image to an open stream at a colour type (-1 = its own; true colour is written as
// 24 bits) with the colour table of its palette. Every write is checked; on failure the error
// has been reported ("SaveBmpFile") and the result is false.
bool WriteBmpFile(const CDibImage& image, std::FILE* file, const std::string& path, int colorType,
                  std::string& description);

// The format description of a BMP from the copy of its header (the first 40 bytes of the
// header block as read, or the header written).
std::string DescribeBmpHeader(const BitmapInfoHeader& header);

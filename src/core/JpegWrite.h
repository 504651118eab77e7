#pragma once
// The JPEG writer: encodes the 24-bit form of an image buffer as a JFIF file with libjpeg,
// with the format values of the settings, optional custom quantization tables and a comment.
#include "core/DibImage.h"
#include "core/ImageFacts.h"
#include "core/JpegDescription.h"
#include "core/JpegWriteSettings.h"

#include <cstdio>
#include <string>

class COutputFiles;
struct ImageSaveRequest;

// The largest comment a COM segment holds (its length field counts itself).
constexpr size_t kMaxComment = 65533;

// Writes the image as a JPEG stream into an open file (which the caller closes) and describes
// what was written. Failures are reported ("SaveJpegFile" with the path, or "JPEGLIB" with the
// library's message).
bool EncodeJpegStream(std::FILE* file, const std::string& path, const CDibImage& image,
                      const JpegWriteSettings& settings, JpegDescription& description);
// As EncodeJpegStream into a file it creates; a partly written file stays.
bool EncodeJpegFile(const std::string& path, const CDibImage& image,
                    const JpegWriteSettings& settings, JpegDescription& description);

// The format's writer: the options' format values (the control bar's, committed by the
// caller), the request's custom tables when set, and its current comment when comments are
// included. Sets the description, grayscale flag and quality estimate of written from the
// written file.
bool SaveJpegFile(const ImageSaveRequest& request, ImageFacts& written, COutputFiles& output,
                  const std::string& path);

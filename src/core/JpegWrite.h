#pragma once
// The JPEG writer: encodes the 24-bit form of an image buffer as a JFIF file with libjpeg,
// with the format values of the settings, optional custom quantization tables and a comment.
#include "core/DibImage.h"
#include "core/ImageFacts.h"
#include "core/JpegDescription.h"
#include "jpegtools/QuantTablePair.h"
#include "settings/SettingsStore.h"

#include <cstdio>
#include <optional>
#include <string>

class CImageDoc;
class COutputFiles;
struct ImageWriteOptions;

// Sampling indices (Param2): luminance sampling factors, or a one-component grayscale file.
enum JpegSampling : int {
    kSamplingGray = 0,
    kSampling11 = 1,
    kSampling21 = 2,
    kSampling22 = 3,
    kSampling12 = 4,
};

struct JpegWriteSettings {
    int quality = 75; // 0..100
    int sampling = kSampling21;
    bool progressive = false;
    bool restartEveryRow = false; // one restart interval per MCU row
    int densityUnit = 0, xDensity = 1, yDensity = 1;
    std::optional<QuantTablePair> customTables;
    // The COM segment's bytes, already in the file's encoding (charset code of Charset.h);
    // none when not set. Text beyond what a segment holds is cut at a character boundary.
    std::optional<std::string> comment;
    int commentCharset = 3;
};

// The format values of the settings: Param1 to Param3, resolution and IncludeRST.
JpegWriteSettings JpegWriteSettingsFrom(const SettingsStore& settings);

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

// The document writer: the options' format values (the control bar's, committed by the
// caller), the document's tables when its custom-DQT flag is set, and its current comment when
// comments are included. Sets the description, grayscale flag and quality estimate of written from
// the written file.
bool SaveJpegFile(CImageDoc& document, const ImageWriteOptions& options, ImageFacts& written,
                  COutputFiles& output, const std::string& path);

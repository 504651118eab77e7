#pragma once
// The sample files of the HEIF/AVIF, WebP and JPEG XL readers (tests/data/modern, made by
// make.sh there) and their comparison with the reference decoders' PNG output.
#include "base/HeadlessPlatform.h"
#include "core/ImageFacts.h"
#include "core/ImageReadOptions.h"
#include "core/PngRead.h"
#include "jpegtools/ExifSummary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>

inline std::string ModernDataPath(const std::string& name) {
    return std::string(TEST_DATA_DIR) + "/modern/" + name;
}

// Alpha composed over the checkerboard, no gamma correction: the same for both sides.
inline ImageReadOptions CompareOptions() {
    ImageReadOptions options;
    options.png.useTransparentOnLoad = true;
    options.png.useGammaCorrection = false;
    return options;
}

// The largest difference of one sample between a decoded picture and the reference decoder's
// PNG of the same file; -1 when the sizes differ.
inline int DifferenceFromReference(const DecodedPicture& decoded, const std::string& reference) {
    const ImageReadOptions options = CompareOptions();
    auto packed = std::make_unique<CDibImage>();
    PngFileFacts facts;
    if (!ReadPngFile(ModernDataPath(reference), options.png, *packed, facts)) return -1;
    std::unique_ptr<CDibImage> expected = PrepareForScreen(std::move(packed), options);
    if (!expected || expected->Width() != decoded.image->Width() ||
        expected->Height() != decoded.image->Height())
        return -1;
    std::span<const uint32_t> a = decoded.image->TrueColorPixels();
    std::span<const uint32_t> b = expected->TrueColorPixels();
    if (a.size() != b.size()) return -1;
    int most = 0;
    for (size_t i = 0; i < a.size(); ++i)
        for (int shift = 0; shift < 24; shift += 8)
            most = std::max(most, std::abs(static_cast<int>((a[i] >> shift) & 0xFF) -
                                           static_cast<int>((b[i] >> shift) & 0xFF)));
    return most;
}

// The camera line of the picture's Exif data ("" without one).
inline std::string CameraOf(const DecodedPicture& decoded) {
    std::string line;
    if (const CIfdReader* reader = decoded.facts.exif.Reader()) CameraLine(*reader, line);
    return line;
}

inline std::string LastMessage() {
    const auto& messages = Headless().Messages();
    return messages.empty() ? std::string() : messages.back().text;
}

#pragma once
// What a reader learns about a file besides its pixels, and what a writer learns about the file
// it wrote: the facts the document keeps beside its picture.
#include "core/CommentItem.h"
#include "core/DibImage.h"
#include "core/ExifData.h"
#include "jpegtools/QuantTablePair.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct ImageFacts {
    std::string description; // the format description
    uint32_t fileSize = 0;   // 0 for new, pasted and modified images
    int bitsPerSample = 0;   // of the source file, for information
    bool grayscale = false;  // stored as grayscale
    bool hasGamma = false;   // a gAMA value is known (the file's or one typed for saving)
    double gamma = 0;
    std::vector<RgbQuad> palette; // the source file's palette
    bool hasTransparent = false;
    RgbQuad transparentColor{};
    ExifData exif;
    // The file's quantization tables of slots 0 and 1, where it defines them.
    bool hasTable[2] = {};
    QuantTable tables[2] = {};
    uint32_t qualityEstimate = 0;
    // What went wrong in a read that still gave a picture (a JPEG whose data ended early), for
    // the info text; empty for a sound file.
    std::string readWarning;
    // The comments the file holds; the current one (an index, -1 = none) and whether they are
    // written again on save.
    std::vector<CommentItem> comments;
    int currentComment = -1;
    bool includeComment = false;

    // Adds a comment found in the file, optionally as the current one.
    void AddComment(CommentItem item, bool makeCurrent) {
        comments.push_back(std::move(item));
        if (makeCurrent) currentComment = static_cast<int>(comments.size()) - 1;
    }
};

// "640x480 ": the size as descriptions and info texts begin.
std::string FormatImageSize(int width, int height);

// A reader's result: the picture ready for display and the facts of its file.
struct DecodedPicture {
    std::unique_ptr<CDibImage> image;
    ImageFacts facts;
};

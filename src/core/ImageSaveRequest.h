#pragma once
// What a writer takes: the picture and what its document knows about it, read-only, with the
// options of the save. The document builds it; the writers never see the document.
#include "core/CommentItem.h"
#include "core/DibImage.h"
#include "core/ImageFacts.h"
#include "core/ImageWriteOptions.h"
#include "jpegtools/QuantTablePair.h"

#include <optional>
#include <vector>

struct ImageSaveRequest {
    const CDibImage& picture;
    const ImageFacts& facts;
    // The comments in list order and the current one (one of them, or none); written only when
    // included.
    std::vector<const CommentItem*> comments;
    const CommentItem* currentComment = nullptr;
    bool includeComment = false;
    // The tables (luminance, then chrominance) a JPEG is written with instead of the quality's.
    std::optional<QuantTablePair> customTables;
    // The PNG save mode and whether a gamma value is written.
    int pngSaveMode = 0;
    bool writeGamma = false;
    ImageWriteOptions options;
};

#pragma once
// What the image operations share on documents: the shape of packed pixels and the
// replacement of a document's picture by a modified one.
#include "core/DibImage.h"
#include "core/PackedImage.h"
#include "imageops/PixelLayout.h"

#include <memory>
#include <string>
#include <vector>

class CImageDoc;

// The shape of the packed pixels a header describes.
PixelLayout PackedLayout(const BitmapInfoHeader& header);

// A packed 24-bit copy of a picture: blue, green, red, bottom-up rows.
struct PackedPicture {
    PackedBytes pixels;
    PixelLayout layout{0, 0, 0};
};

// The document's picture as a packed 24-bit copy of its own; empty when it cannot be made.
PackedPicture CopyPackedPicture(const CImageDoc& document);

// Adapts a packed 24-bit result to the display and makes it the document's picture: the
// palette copy is dropped, the file size becomes 0 and the info text "WxH Modified Image"
// (views redrawn). When the adaptation fails, reports message 353 under the operation's tag
// and leaves the document as it was.
bool InstallModifiedImage(CImageDoc& document, std::unique_ptr<CDibImage> image,
                          const std::string& tag);

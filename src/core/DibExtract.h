#pragma once
// The packed form of a picture, made for a writer or an image operation to read.
#include "core/DibImage.h"
#include "core/PackedDib.h"

#include <optional>

// The picture packed at a colour type (-1 = its own): 40-byte header, as many colour table
// entries as the colour type (from its palette, or the fixed palette when it has none),
// bottom-up rows. Indices stay as they are at the picture's own colour type; otherwise each
// pixel takes the nearest table colour. None for another colour type, an empty picture or no
// memory.
std::optional<PackedDib> ExtractDib(const CDibImage& image, int colorType = -1);

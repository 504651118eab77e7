#pragma once
// New image buffers that hold only a packed DIB, for readers and operations to fill.
#include "core/DibImage.h"

#include <memory>
#include <vector>

// A new image buffer with a packed DIB only: a 40-byte header for the size and bit count
// (24 or 8), the colour table (declared in biClrUsed) and zeroed pixels. Null when a size is
// below 1 or memory runs out.
std::unique_ptr<CDibImage> NewPackedImage(int width, int height, int bitCount,
                                          const std::vector<RgbQuad>& colorTable = {});

#pragma once
// Reading an uncompressed true-colour BMP's rows straight into the device form, a stretch of
// rows at a time, so that the picture never lies in memory twice (packed, then realized).
#include "core/DibFormat.h"
#include "core/DibImage.h"

#include <cstddef>
#include <cstdio>

// Whether the pixels of this format can be read that way: 16, 24 or 32 bits, every row within
// the `pixelBytes` that follow the header.
bool ReadsRowsToDevice(const DibFormat& format, size_t pixelBytes);

// Reads the rows that follow in `file` into a new device form of `image`, which also takes the
// header's colour table as its palette, as a realized true-colour DIB does. False, with no
// device form left, when the memory limit refuses the picture, memory runs out or the file
// ends early.
bool ReadRowsToDevice(std::FILE* file, const DibFormat& format, size_t pixelBytes,
                      CDibImage& image);

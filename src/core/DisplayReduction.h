#pragma once
// Reduction of a 24-bit packed DIB for screens of few colours, run by PrepareForDisplay
// (declared in DibImage.h): to the 16- or 64-colour table (nearest entry), to the 256-colour
// table with a 2 × 2 ordered dither, or to 24 bits with an 8-row dither for 15/16-bit screens.
#include "core/DibImage.h"

#include <memory>

constexpr int kDitheredTrueColor = 0x8000;

// True when 24-bit pictures are shown as they are on a screen of the given depth: 15 bits or
// more, 24 or more with the 16-bit dither on.
bool ScreenKeepsTrueColor(int screenDepth, int ditherFor16bit);

// The colour count a picture is reduced to on a screen of the given depth (0 = none): only
// uncompressed 24-bit DIBs are reduced, and only below 15 bits, or 24 with the 16-bit dither on.
int ReductionTarget(CDibImage& image, int screenDepth, int ditherFor16bit);

// Returns the reduced packed DIB (a new buffer, or the same one dithered in place for
// kDitheredTrueColor); null when memory runs out.
std::unique_ptr<CDibImage> ReduceColors(std::unique_ptr<CDibImage> image, int target);

// The 2 × 2 dither's index into the 256-colour table for a pixel in column x of the row y
// counted from the bottom.
uint8_t DitherIndex256(uint8_t blue, uint8_t green, uint8_t red, size_t x, size_t y);

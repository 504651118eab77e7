#pragma once
// The fixed colour tables of the display reductions, also the palette a blank palette image
// starts with: 2 entries black and white; 16 the standard 16-colour set; 64 the 4 × 4 × 4 cube
// (index g × 16 + r × 4 + b); 256 the 8 × 8 × 4 cube (index g × 32 + r × 4 + b).
#include "core/DibTypes.h"

#include <span>
#include <vector>

// The table of the given size (2, 16, 64 or 256); empty for any other size.
std::vector<RgbQuad> FixedPalette(int entries);

// The colour table of a colour type (2, 16 or 256) for a picture with the given palette: the
// palette's first entries (black after a shorter one), or the fixed table when it is empty.
// Empty for any other colour type.
std::vector<RgbQuad> ColorTableFor(std::span<const RgbQuad> palette, int colorType);

#pragma once
// The gamma / contrast / bias transfer: a level table T made from contrast and bias, then the
// gamma table G (BuildGammaTable); a sample v becomes G[T[v]], the same in every colour channel.
#include "imageops/PixelLayout.h"

#include <array>
#include <cstdint>

// T for contrast and bias, each in -255 ... 255 (values outside are limited to it): a line that
// starts at level bias for input 0, steepened (contrast > 0) or flattened (contrast < 0).
void BuildLevelTable(int table[256], int contrast, int bias);

// G[T[v]] for every byte value v, both lookups folded into one table.
std::array<uint8_t, 256> CombinedTransfer(const int gamma[256], const int levels[256]);

// Writes G[T[v]] for every sample byte v (3 × width per row) of a packed 24-bit block into
// another block of the same layout; source and target may be the same block. Padding bytes
// are left alone.
void ApplyTransfer(const uint8_t* source, uint8_t* target, const PixelLayout& layout,
                   const int gamma[256], const int levels[256]);

#pragma once
// Separation of a 24-bit picture into its luminance and two colour-difference planes with the
// JFIF (ITU-R BT.601 full range) weights scaled by 256.
#include "imageops/PixelLayout.h"

#include <cstdint>

enum class YCbCrComponent { Y = 0, Cb = 1, Cr = 2 };

// One component of a pixel given as blue, green, red.
uint8_t YCbCrValue(YCbCrComponent component, int blue, int green, int red);

// Writes one component of every pixel of a packed 24-bit block into a packed 8-bit block of
// the same width and height (targetStride bytes a row).
void SplitComponent(const uint8_t* source, const PixelLayout& sourceLayout,
                    YCbCrComponent component, uint8_t* target, size_t targetStride);

#pragma once
// The image scaler: two separable passes of integer resampling over packed 24-bit pixels
// (blue, green, red; rows padded to a multiple of 4 bytes, stored bottom-up). A line that gets
// shorter is box averaged with exact coverage, one that gets longer is interpolated from at most
// three neighbouring samples through a table, and one that keeps its length is copied.
#include "imageops/PixelLayout.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The longest line (in samples) the scaler takes, before or after scaling. It keeps every
// weighted sum within 32 bits when shrinking and within 64 bits when stretching.
constexpr size_t kMaxScaleLength = size_t{1} << 24;

// Interpolation weights of one output sample: the centre, previous and next input sample
// (kUnusedWeight when that neighbour does not take part) and the sum of the weights in use.
constexpr int64_t kUnusedWeight = -1;
struct StretchWeights {
    int64_t centre;
    int64_t previous;
    int64_t next;
    int64_t sum;
};
using StretchTable = std::vector<StretchWeights>;

// Box averaging of n input samples to m < n output samples; the steps are the byte distances
// between consecutive samples (3 along a row, the stride along a column).
void ShrinkLine(uint8_t* out, size_t m, size_t outStep, const uint8_t* in, size_t n, size_t inStep);
// The interpolation table for stretching n samples to m > n samples (m entries).
StretchTable MakeStretchTable(size_t n, size_t m);
// Interpolation of n input samples to m > n output samples with MakeStretchTable(n, m).
void StretchLine(uint8_t* out, size_t m, size_t outStep, const uint8_t* in, size_t n, size_t inStep,
                 const StretchTable& table);

// Scales a packed 24-bit pixel block into another (already allocated): first along the columns
// into a buffer of source stride × target height, then along the rows. False when a size is 0 or
// above kMaxScaleLength, a stride is shorter than its row, or memory runs out.
bool ScalePixels(const uint8_t* source, const PixelLayout& sourceLayout, uint8_t* target,
                 const PixelLayout& targetLayout);

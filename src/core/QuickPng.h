#pragma once
// A PNG made for speed rather than size, for a picture another program takes at once (a paste
// from the clipboard): zlib's fastest level and the Up filter, which on photographs compresses
// about as well as libpng's adaptive filters at a fraction of their time.
#include <cstddef>
#include <cstdint>
#include <vector>

// An 8-bit RGB PNG of `height` top-down rows of `width` pixels stored B, G, R, X (the 32-bit
// screen form), `stride` bytes apart. Empty when libpng fails (no memory).
std::vector<uint8_t> EncodeQuickPng(const uint8_t* rows, size_t width, size_t height,
                                    size_t stride);

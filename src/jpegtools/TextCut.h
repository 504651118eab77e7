#pragma once
// Shortening encoded text to a byte limit without splitting a character.
#include <cstddef>
#include <string>

// The longest start of `text` (encoded in charset `code`, see Charset.h) that ends at a
// character boundary and fits in `limit` bytes. ISO-2022-JP text cut inside a two-byte run
// gets the escape back to ASCII, within the limit.
std::string CutAtCharBoundary(const std::string& text, int code, size_t limit);

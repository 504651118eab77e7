#pragma once
// Shortening comment text to fit a segment without splitting a character.
#include <cstddef>
#include <string>

// The longest head of `text` (encoded in character code `code`, see Charset.h) that has at most
// maxBytes bytes and ends on a character boundary. ISO-2022-JP text cut inside a two-byte run
// is closed with the escape back to one-byte mode, within maxBytes. Any other code is taken
// as Shift_JIS (ASCII text is cut at any byte).
std::string CutCommentText(const std::string& text, int code, size_t maxBytes);

#pragma once
// The MAKI decoder (signature "MAKI01A" or "MAKI01B"): 16 colours, 640 x 400, a flag plane
// that marks the bytes to XOR against the line 2 (A) or 4 (B) lines up.
#include "base/ByteReader.h"
#include "core/MagPicture.h"

// Decodes the file after its 8-byte signature (in is placed just behind it; picture.signature
// is set) into picture; false for malformed or truncated data.
bool DecodeMakiBody(ByteReader& in, MagPicture& picture);

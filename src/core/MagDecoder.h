#pragma once
// The MAG decoder (signature "MAKI02"): 16 or 256 colours, any size, a flag plane of
// nibbles that pick a literal pixel pair or a copy from an earlier place of the picture.
#include "base/ByteReader.h"
#include "core/MagPicture.h"

// Decodes the file after its 8-byte signature (in is placed just behind it) into picture;
// false for malformed or truncated data.
bool DecodeMagBody(ByteReader& in, MagPicture& picture);

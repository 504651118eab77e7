#pragma once
// Recognising a picture by its first bytes, for files whose name does not say their type (no
// extension, an unknown one, or the wrong one).
#include <cstddef>
#include <cstdint>
#include <string>

// The type code that the signature at the start of the bytes names: JPEG (FF D8 FF), PNG, BMP
// ("BM"), TIFF ("II*\0" or "MM\0*"), MAG and MAKI ("MAKI01"/"MAKI02"); kTypeUnknown for none of
// them. Eight bytes are enough.
int TypeFromSignature(const uint8_t* bytes, size_t size);
// The usual extension of a type with its "." (".jpg", ".png", ".bmp", ".tif", ".mag"); "" for
// others.
std::string ExtensionOfType(int type);

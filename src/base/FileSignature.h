#pragma once
// Recognising a picture by its first bytes, for files whose name does not say their type (no
// extension, an unknown one, or the wrong one).
#include <cstddef>
#include <cstdint>
#include <string>

// How many first bytes TypeFromSignature needs at most.
constexpr size_t kSignatureBytes = 12;

// The type code that the signature at the start of the bytes names: JPEG (FF D8 FF), PNG, BMP
// ("BM"), TIFF ("II*\0" or "MM\0*"), MAG and MAKI ("MAKI01"/"MAKI02"), WebP ("RIFF", a size,
// "WEBP"), HEIF and AVIF (an "ftyp" box whose major brand says which), JPEG XL (a bare
// codestream FF 0A or the container's signature box); kTypeUnknown for none of them.
int TypeFromSignature(const uint8_t* bytes, size_t size);
// The usual extension of a type with its "." (".jpg", ".png", ".bmp", ".tif", ".mag", ".webp",
// ".heic", ".avif", ".jxl"); "" for others.
std::string ExtensionOfType(int type);

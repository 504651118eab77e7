#pragma once
// Recognising a picture by its first bytes, for files whose name does not say their type (no
// extension, an unknown one, or the wrong one).
#include <cstddef>
#include <cstdint>
#include <string>

// The type code that the signature at the start of the bytes names: JPEG (FF D8 FF), PNG, BMP
// ("BM"), TIFF ("II*\0" or "MM\0*"), MAG and MAKI ("MAKI01"/"MAKI02"); 0 for none of them.
int TypeFromSignature(const uint8_t* bytes, size_t size);

// The type a file is read as. Its content decides when its first bytes carry a signature;
// otherwise the extension's type holds (raw RGB has no signature and is known by name alone).
// `opened` tells whether the first bytes could be read at all.
int ReadTypeOfFile(const std::string& path, bool& opened);

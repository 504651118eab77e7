#pragma once
// The document type a file's first bytes show, for files whose name gives none.
#include <string>

// JPEG (SOI), PNG (signature), BMP ("BM") or TIFF ("II*\0", "MM\0*"); kTypeUnknown otherwise.
// Eight bytes are enough.
int FileTypeFromSignature(const std::string& head);
// The usual extension of a type with its "." (".jpg", ".png", ".bmp", ".tif"); "" for others.
std::string ExtensionOfType(int type);

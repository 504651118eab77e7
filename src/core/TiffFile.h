#pragma once
// The TIFF reader: uncompressed, chunky, 8-bit-per-sample files as gray, palette or RGB
// pictures, read with the directory parser of the Exif reader. Every other variant is refused
// with a message naming the tag that rules it out.
#include <string>

class CImageDoc;

bool LoadTiffFile(CImageDoc& document, const std::string& path);

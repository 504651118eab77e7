#pragma once
// The PNG reader and writer of the document (type 136): the document's side of PngRead and
// PngWrite.
#include <string>

class CImageDoc;
class COutputFiles;

// Reads the file into the document: picture, description, palette, transparent colour, gamma,
// text chunks as comment items ("Comment" becomes the current item).
bool LoadPngDocument(CImageDoc& document, const std::string& path);
// Writes the document in its PNG save mode into a stream of the save's output files.
bool SavePngDocument(CImageDoc& document, COutputFiles& output, const std::string& path);

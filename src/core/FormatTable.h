#pragma once
// The readers and writers by document type code. A reader fills the document from a file; a
// writer writes the document into streams it gets from the save dispatch (which replaces the
// target files only when everything was written). Both report their own failures.
#include <string>

class CImageDoc;
class COutputFiles;

using ImageReader = bool (*)(CImageDoc& document, const std::string& path);
using ImageWriter = bool (*)(CImageDoc& document, COutputFiles& output, const std::string& path);

struct ImageFormat {
    int type;
    const char* readerName; // report name; null when the type is never read
    ImageReader read;       // null while this build has no reader for it
    const char* writerName; // null when the type is never written
    ImageWriter write;
};

// The entry of a type code, or null for a type without one (no message is due).
const ImageFormat* FindImageFormat(int type);

// Load dispatch: the reader of the type reads the file into the document.
bool ReadImageFile(CImageDoc& document, int type, const std::string& path);

// Reports that this build cannot read or write the format yet.
void ReportFormatNotAvailable(const char* name, const std::string& path);

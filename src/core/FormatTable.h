#pragma once
// The readers and writers by document type code. A reader decodes a file into a picture and
// the facts of its file, which the load dispatch hands to the document in one step; a writer
// writes the document into streams it gets from the save dispatch (which replaces the target
// files only when everything was written) and records what it learned in `written`, a copy of
// the document's facts that the document takes on success. Both report their own failures.
#include "core/ImageFacts.h"
#include "core/ImageReadOptions.h"
#include "core/ImageWriteOptions.h"

#include <string>

class CImageDoc;
class COutputFiles;

using ImageReader = bool (*)(const std::string& path, const ImageReadOptions& options,
                             DecodedPicture& decoded);
using ImageWriter = bool (*)(CImageDoc& document, const ImageWriteOptions& options,
                             ImageFacts& written, COutputFiles& output, const std::string& path);

struct ImageFormat {
    int type;
    const char* readerName; // report name; null when the type is never read
    ImageReader read;       // null while this build has no reader for it
    const char* writerName; // null when the type is never written
    ImageWriter write;
    bool usesControlBar; // the writer takes the control bar's values
};

// The entry of a type code, or null for a type without one (no message is due).
const ImageFormat* FindImageFormat(int type);

// Load dispatch: the reader of the type reads the file, and the document adopts the result.
bool ReadImageFile(CImageDoc& document, int type, const std::string& path,
                   const ImageReadOptions& options);

// Reports that this build cannot read or write the format yet.
void ReportFormatNotAvailable(const char* name, const std::string& path);

#pragma once
// The readers and writers by document type code. A reader decodes a file into a picture and
// the facts of its file, which the document adopts in one step; a writer writes a save request
// into streams it gets from the save dispatch (which replaces the target files only when
// everything was written) and records what it learned in `written`, a copy of the request's
// facts that the document takes on success. Both report their own failures.
#include "core/ImageFacts.h"
#include "core/ImageReadOptions.h"

#include <optional>
#include <string>

class COutputFiles;
struct ImageSaveRequest;

using ImageReader = std::optional<DecodedPicture> (*)(const std::string& path,
                                                      const ImageReadOptions& options);
using ImageWriter = bool (*)(const ImageSaveRequest& request, ImageFacts& written,
                             COutputFiles& output, const std::string& path);

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
// The type has a writer that takes the control bar's values, which are committed before it
// writes.
bool WriterUsesControlBar(int type);

// Load dispatch: the reader of the type reads the file; the caller adopts the result.
std::optional<DecodedPicture> ReadImageFile(int type, const std::string& path,
                                            const ImageReadOptions& options);

// Reports that this build cannot read or write the format yet.
void ReportFormatNotAvailable(const char* name, const std::string& path);

#pragma once
// Save dispatch: the writer is chosen by the target's extension and writes through
// COutputFiles, so the files it replaces stay as they were unless the whole save succeeds.
#include <string>

class CImageDoc;

// Writes the document to path. On success the document's type code and file size follow the
// written file; on failure the document keeps its type, size and description. An extension
// without a writer fails silently.
bool SaveImageFile(CImageDoc& document, const std::string& path);

// Copies a file (a conversion's temporary JPEG) to path the same way, recording its size.
bool CopyImageFile(CImageDoc& document, const std::string& source, const std::string& path);

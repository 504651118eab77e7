#pragma once
// What the documents tell the application around them: a document opened, brought forward or
// closing (so that the GUI pairs each document with its window from these events alone), the
// last one closed, a file to remember among the recent files, and the numbering of new images.
// The GUI's document windows receive them; without a GUI they go nowhere.
#include <string>

class CDocument;
class CImageDoc;

class IDocumentEvents {
public:
    virtual ~IDocumentEvents() = default;
    virtual void AddToRecentFiles(const std::string& path) = 0;
    // A document became open (a file, a new or pasted image, a conversion result, a plane of a
    // separation): it needs a window. Announced once it holds its picture and title.
    virtual void DocumentCreated(CImageDoc& document) = 0;
    // A file was opened again: the document that already shows it comes to the front.
    virtual void ActivateDocument(CDocument& document) = 0;
    // The document is about to be destroyed: its window closes.
    virtual void DocumentClosing(CImageDoc& document) = 0;
    // The next number of the "(n)" mark of a new image marked modified: 1, 2, ...
    virtual int NextNewImageNumber() = 0;
    // The last open document is closing.
    virtual void LastDocumentClosed() = 0;
};

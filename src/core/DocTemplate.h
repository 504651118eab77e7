#pragma once
// The document template: the list of open image documents, and the open, new and close steps
// the shell runs on them. Every document that becomes open is announced to the document host,
// and every one that closes is announced before it goes, so the GUI pairs each document with
// its window from those events alone; the CLI and the tests use the list.
#include "core/ImageDoc.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CDocTemplate {
public:
    // Turns a new untitled document into its picture; false when that fails.
    using DocumentFill = std::function<bool(CImageDoc&)>;

    CDocTemplate() = default;
    ~CDocTemplate();
    CDocTemplate(const CDocTemplate&) = delete;
    CDocTemplate& operator=(const CDocTemplate&) = delete;

    // Opens a file in a new document, or makes a new blank image when the path is empty. Null
    // when the open failed (the document is closed again) or a document already showing the
    // file re-read it instead.
    CImageDoc* OpenDocumentFile(const std::string& path);
    // A new untitled document that fill makes into a picture of its own (a conversion result,
    // a pasted image, a plane) before it is announced. Null when either step failed.
    CImageDoc* OpenFilledDocument(const DocumentFill& fill);
    // An empty document in the list, before OnNewDocument or OnOpenDocument; not announced.
    CImageDoc& CreateNewDocument();
    // Runs the document's close step and destroys it.
    void CloseDocument(CDocument& document);
    void CloseAllDocuments();
    // Asks about every modified document in turn; false as soon as one stays open.
    bool SaveAllModified();

    const std::vector<std::unique_ptr<CImageDoc>>& Documents() const { return documents_; }

private:
    CImageDoc* Open(const std::string& path, const DocumentFill& fill);
    // Runs the close step and drops the document, without an announcement.
    void Destroy(CDocument& document);

    std::vector<std::unique_ptr<CImageDoc>> documents_;
    std::vector<const CDocument*> announced_;
    int untitledCount_ = 0;
};

#pragma once
// The document template: the list of open image documents, and the open, new and close steps
// the shell runs on them. The GUI pairs each document with its window; the CLI and the tests
// use the list alone.
#include "core/ImageDoc.h"

#include <memory>
#include <string>
#include <vector>

class CDocTemplate {
public:
    CDocTemplate() = default;
    ~CDocTemplate();
    CDocTemplate(const CDocTemplate&) = delete;
    CDocTemplate& operator=(const CDocTemplate&) = delete;

    // Opens a file in a new document, or makes a new blank image when the path is empty. Null
    // when the open failed (the document is closed again) or a document already showing the
    // file re-read it instead.
    CImageDoc* OpenDocumentFile(const std::string& path);
    // An empty document in the list, before OnNewDocument or OnOpenDocument.
    CImageDoc& CreateNewDocument();
    // Runs the document's close step and destroys it.
    void CloseDocument(CDocument& document);
    void CloseAllDocuments();

    const std::vector<std::unique_ptr<CImageDoc>>& Documents() const { return documents_; }

private:
    std::vector<std::unique_ptr<CImageDoc>> documents_;
    int untitledCount_ = 0;
};

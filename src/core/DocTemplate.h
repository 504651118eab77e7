#pragma once
// The document template: the list of open image documents, the open, new and close steps the
// shell runs on them, and the context every document is given (settings, events, prompts, the
// open documents). Every document that becomes open is announced to the events, and every one
// that closes is announced before it goes, so the GUI pairs each document with its window from
// those events alone; the CLI and the tests use the list.
#include "core/DocumentContext.h"
#include "core/ImageDoc.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CDocTemplate {
public:
    // Turns a new untitled document into its picture; false when that fails.
    using DocumentFill = std::function<bool(CImageDoc&)>;

    // The documents take their defaults from settings; their events and questions go nowhere
    // until a host is set.
    explicit CDocTemplate(SettingsStore& settings);
    ~CDocTemplate();
    CDocTemplate(const CDocTemplate&) = delete;
    CDocTemplate& operator=(const CDocTemplate&) = delete;

    // Where the documents' events go and whom they ask from now on (the GUI's windows); null
    // for nowhere and nobody.
    void SetHost(IDocumentEvents* events, IDocumentPrompts* prompts);
    const DocumentContext& Context() const { return context_; }

    // Opens a file in a new document, or makes a new blank image when the path is empty. Null
    // when the open failed (the document is closed again) or a document already showing the
    // file re-read it instead.
    CImageDoc* OpenDocumentFile(const std::string& path);
    // A new untitled document that fill makes into a picture of its own (a conversion result,
    // a pasted image, a plane) before it is announced. Null when either step failed.
    CImageDoc* OpenFilledDocument(const DocumentFill& fill);
    // An empty document in the list, before OnNewDocument or OnOpenDocument; not announced.
    CImageDoc& CreateNewDocument();
    // A document with the template's context that is not in the list (a batch worker's). Unless
    // custom tables are set, the control bar's values are committed first: a document starts
    // with the tables of the quality in effect.
    std::unique_ptr<CImageDoc> MakeDocument();
    // Runs the document's close step and destroys it.
    void CloseDocument(CDocument& document);
    void CloseAllDocuments();

    const std::vector<std::unique_ptr<CImageDoc>>& Documents() const { return documents_; }

private:
    CImageDoc* Open(const std::string& path, const DocumentFill& fill);
    // The file is open in another document already: that one re-reads it and comes forward.
    bool ReopenInOtherDocument(const std::string& path, const CImageDoc& opening);
    // Runs the close step and drops the document, without an announcement.
    void Destroy(CDocument& document);

    CHeadlessDocumentHost headless_;
    DocumentContext context_;
    std::vector<std::unique_ptr<CImageDoc>> documents_;
    std::vector<const CDocument*> announced_;
    int untitledCount_ = 0;
};

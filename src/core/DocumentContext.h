#pragma once
// What a document is given by its template instead of reaching for the process's globals: the
// settings it takes its defaults from, where its events go, whom it asks, and the open documents
// it joins. The template owns the context and outlives its documents.
#include "core/DocumentEvents.h"
#include "core/DocumentPrompts.h"

#include <memory>
#include <string>
#include <vector>

struct SettingsStore;
class CImageDoc;

struct DocumentContext {
    SettingsStore* settings = nullptr;
    IDocumentEvents* events = nullptr;
    IDocumentPrompts* prompts = nullptr;
    // The open documents (a new document's sync id differs from theirs); empty for a document
    // on its own.
    const std::vector<std::unique_ptr<CImageDoc>>* documents = nullptr;
};

// No windows and nobody to ask: events are dropped (new images are still numbered), the control
// bar's values are the settings' own and every save is confirmed.
class CHeadlessDocumentHost : public IDocumentEvents, public IDocumentPrompts {
public:
    void AddToRecentFiles(const std::string&) override {}
    void DocumentCreated(CImageDoc&) override {}
    void ActivateDocument(CDocument&) override {}
    void DocumentClosing(CImageDoc&) override {}
    int NextNewImageNumber() override { return ++newImageCount_; }
    void LastDocumentClosed() override {}
    void CommitControlBar(SettingsStore&) override {}
    bool ConfirmPngSaveOptions(CImageDoc&) override { return true; }

private:
    int newImageCount_ = 0;
};

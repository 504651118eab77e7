#include "core/DocTemplate.h"

#include "core/DocumentHost.h"

#include <algorithm>

CDocTemplate::~CDocTemplate() {
    CloseAllDocuments();
}

CImageDoc& CDocTemplate::CreateNewDocument() {
    documents_.push_back(std::make_unique<CImageDoc>());
    documents_.back()->SetTemplate(this);
    return *documents_.back();
}

CImageDoc* CDocTemplate::OpenDocumentFile(const std::string& path) {
    return Open(path, nullptr);
}

CImageDoc* CDocTemplate::OpenFilledDocument(const DocumentFill& fill) {
    return Open(std::string(), fill);
}

CImageDoc* CDocTemplate::Open(const std::string& path, const DocumentFill& fill) {
    CImageDoc& document = CreateNewDocument();
    bool opened = path.empty() ? document.OnNewDocument() : document.OnOpenDocument(path);
    if (!opened) {
        Destroy(document);
        return nullptr;
    }
    if (path.empty())
        document.SetTitle("Image" + std::to_string(++untitledCount_));
    else
        document.SetPathName(path);
    if (fill && !fill(document)) {
        Destroy(document);
        return nullptr;
    }
    announced_.push_back(&document);
    DocumentHost().DocumentCreated(document);
    return &document;
}

void CDocTemplate::CloseDocument(CDocument& document) {
    auto isThis = [&](const auto& open) { return open.get() == &document; };
    auto found = std::find_if(documents_.begin(), documents_.end(), isThis);
    if (found == documents_.end()) return;
    auto announced = std::find(announced_.begin(), announced_.end(), &document);
    if (announced != announced_.end()) {
        announced_.erase(announced);
        DocumentHost().DocumentClosing(**found);
    }
    Destroy(document);
}

void CDocTemplate::Destroy(CDocument& document) {
    auto isThis = [&](const auto& open) { return open.get() == &document; };
    if (std::none_of(documents_.begin(), documents_.end(), isThis)) return;
    document.OnCloseDocument();
    documents_.erase(std::find_if(documents_.begin(), documents_.end(), isThis));
}

bool CDocTemplate::SaveAllModified() {
    for (const auto& document : documents_)
        if (!document->SaveModified()) return false;
    return true;
}

void CDocTemplate::CloseAllDocuments() {
    while (!documents_.empty())
        CloseDocument(*documents_.back());
}

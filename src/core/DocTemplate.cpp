#include "core/DocTemplate.h"

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
    CImageDoc& document = CreateNewDocument();
    bool opened = path.empty() ? document.OnNewDocument() : document.OnOpenDocument(path);
    if (!opened) {
        CloseDocument(document);
        return nullptr;
    }
    if (path.empty())
        document.SetTitle("Image" + std::to_string(++untitledCount_));
    else
        document.SetPathName(path);
    return &document;
}

void CDocTemplate::CloseDocument(CDocument& document) {
    auto isThis = [&](const auto& open) { return open.get() == &document; };
    if (std::none_of(documents_.begin(), documents_.end(), isThis)) return;
    document.OnCloseDocument();
    documents_.erase(std::find_if(documents_.begin(), documents_.end(), isThis));
}

void CDocTemplate::CloseAllDocuments() {
    while (!documents_.empty())
        CloseDocument(*documents_.back());
}

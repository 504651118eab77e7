#include "core/DocTemplate.h"

#include "settings/SettingsStore.h"

#include <algorithm>
#include <filesystem>

namespace {

// Two paths name the same file when they resolve to the same place (file names are
// case-sensitive here).
std::string ResolvedPath(const std::string& path) {
    std::error_code error;
    std::filesystem::path resolved = std::filesystem::weakly_canonical(path, error);
    return error ? path : resolved.string();
}

} // namespace

CDocTemplate::CDocTemplate(SettingsStore& settings)
    : context_{&settings, &headless_, &headless_, &documents_} {}

CDocTemplate::~CDocTemplate() {
    CloseAllDocuments();
}

void CDocTemplate::SetHost(IDocumentEvents* events, IDocumentPrompts* prompts) {
    context_.events = events ? events : &headless_;
    context_.prompts = prompts ? prompts : &headless_;
}

std::unique_ptr<CImageDoc> CDocTemplate::MakeDocument() {
    if (context_.settings->useCustomDQT == 0)
        context_.prompts->CommitControlBar(*context_.settings);
    return std::make_unique<CImageDoc>(context_);
}

CImageDoc& CDocTemplate::CreateNewDocument() {
    documents_.push_back(MakeDocument());
    return *documents_.back();
}

CImageDoc* CDocTemplate::OpenDocumentFile(const std::string& path) {
    return Open(path, nullptr);
}

CImageDoc* CDocTemplate::OpenFilledDocument(const DocumentFill& fill) {
    return Open(std::string(), fill);
}

bool CDocTemplate::ReopenInOtherDocument(const std::string& path, const CImageDoc& opening) {
    const std::string wanted = ResolvedPath(path);
    for (const auto& other : documents_) {
        if (other.get() == &opening || other->PathName().empty() ||
            ResolvedPath(other->PathName()) != wanted)
            continue;
        other->LoadFile(path);
        other->SetModifiedMark(false);
        other->UpdateAllViews();
        context_.events->ActivateDocument(*other);
        return true;
    }
    return false;
}

CImageDoc* CDocTemplate::Open(const std::string& path, const DocumentFill& fill) {
    CImageDoc& document = CreateNewDocument();
    bool opened = path.empty()
                      ? document.OnNewDocument()
                      : !ReopenInOtherDocument(path, document) && document.OnOpenDocument(path);
    if (!opened) {
        Destroy(document);
        return nullptr;
    }
    if (path.empty()) {
        document.SetTitle("Image" + std::to_string(++untitledCount_));
    } else {
        document.SetPathName(path);
        context_.events->AddToRecentFiles(path);
    }
    if (fill && !fill(document)) {
        Destroy(document);
        return nullptr;
    }
    announced_.push_back(&document);
    context_.events->DocumentCreated(document);
    return &document;
}

void CDocTemplate::CloseDocument(CDocument& document) {
    auto isThis = [&](const auto& open) { return open.get() == &document; };
    auto found = std::find_if(documents_.begin(), documents_.end(), isThis);
    if (found == documents_.end()) return;
    auto announced = std::find(announced_.begin(), announced_.end(), &document);
    if (announced != announced_.end()) {
        announced_.erase(announced);
        context_.events->DocumentClosing(**found);
    }
    Destroy(document);
}

void CDocTemplate::Destroy(CDocument& document) {
    auto isThis = [&](const auto& open) { return open.get() == &document; };
    auto found = std::find_if(documents_.begin(), documents_.end(), isThis);
    if (found == documents_.end()) return;
    if (documents_.size() == 1) context_.events->LastDocumentClosed();
    document.OnCloseDocument();
    documents_.erase(std::find_if(documents_.begin(), documents_.end(), isThis));
}

void CDocTemplate::CloseAllDocuments() {
    while (!documents_.empty())
        CloseDocument(*documents_.back());
}

#include "core/Document.h"

#include <algorithm>

bool CDocument::OnNewDocument() {
    pathName_.clear();
    modified_ = false;
    return true;
}

void CDocument::OnCloseDocument() {
    std::vector<IDocumentView*> views;
    views.swap(views_);
    for (IDocumentView* view : views)
        view->OnDocumentClosing(*this);
}

void CDocument::SetPathName(const std::string& path) {
    pathName_ = path;
    SetTitle(FileTitle(path));
}

void CDocument::SetTitle(const std::string& title) {
    title_ = title;
    std::vector<IDocumentView*> views = views_;
    for (IDocumentView* view : views)
        view->OnTitleChanged(*this);
}

void CDocument::AddView(IDocumentView* view) {
    if (std::find(views_.begin(), views_.end(), view) == views_.end()) views_.push_back(view);
}

void CDocument::RemoveView(IDocumentView* view) {
    views_.erase(std::remove(views_.begin(), views_.end(), view), views_.end());
}

void CDocument::UpdateAllViews(int hint) {
    std::vector<IDocumentView*> views = views_; // a view may detach while redrawing
    for (IDocumentView* view : views)
        view->OnUpdate(*this, hint);
}

std::string FileTitle(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

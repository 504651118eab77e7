#pragma once
// The document half of the document/view shell without any GUI: path name, title, modified
// flag, the views that show the document, and the steps the template runs on new, open, save
// and close. Views attach as observers and are told of changes by UpdateAllViews.
#include <string>
#include <vector>

class CDocument;

// The hint of an update: repaint the view, or only take the document's new state.
constexpr int kUpdateRepaint = 0;
constexpr int kUpdateNoRepaint = 1;

class IDocumentView {
public:
    virtual ~IDocumentView() = default;
    // The document changed; the hint says whether to repaint.
    virtual void OnUpdate(CDocument& document, int hint) = 0;
    // The title changed (the window caption shows it).
    virtual void OnTitleChanged(CDocument&) {}
    // The document is closing; the view must drop its reference.
    virtual void OnDocumentClosing(CDocument& document) = 0;
};

class CDocument {
public:
    CDocument() = default;
    virtual ~CDocument() = default;
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;

    virtual bool IsModified() const { return modified_; }
    virtual void SetModifiedFlag(bool modified) { modified_ = modified; }
    virtual bool OnNewDocument();
    virtual bool OnOpenDocument(const std::string& path) = 0;
    virtual bool OnSaveDocument(const std::string& path) = 0;
    // Detaches the views; the template destroys the document afterwards.
    virtual void OnCloseDocument();

    const std::string& PathName() const { return pathName_; }
    // Sets the path and the title (the file name).
    void SetPathName(const std::string& path);
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title);

    void AddView(IDocumentView* view);
    void RemoveView(IDocumentView* view);
    const std::vector<IDocumentView*>& Views() const { return views_; }
    void UpdateAllViews(int hint = kUpdateRepaint);

private:
    std::string pathName_;
    std::string title_;
    bool modified_ = false;
    std::vector<IDocumentView*> views_;
};

// The file name of a path: what follows its last "/".
std::string FileTitle(const std::string& path);

#pragma once
// The MDI side of the documents: every document the template announces gets a window in the
// MDI area, a file opened again brings its window forward, and a closing document takes its
// window with it. Closing a window closes its document through the template, once the user has
// been asked about a modified one.
#include "core/DocTemplate.h"
#include "core/DocumentEvents.h"

#include <QObject>
#include <functional>
#include <vector>

class QMdiArea;
class QMdiSubWindow;
class QWidget;
class CDocumentPrompts;

class CDocumentWindows : public QObject, public IDocumentEvents {
    Q_OBJECT
public:
    // Makes the widget that shows a document inside its MDI window.
    using WindowFactory = std::function<QWidget*(CImageDoc&)>;

    // The template's events come here, and its documents ask prompts, while this object lives.
    CDocumentWindows(QMdiArea& area, CDocTemplate& documents, CDocumentPrompts& prompts,
                     WindowFactory factory);
    ~CDocumentWindows() override;

    // The document of the active MDI window, or none.
    CImageDoc* ActiveDocument() const;
    QMdiSubWindow* WindowOf(const CDocument& document) const;
    // The windows of the open documents other than document's that share its sync group.
    std::vector<QMdiSubWindow*> SyncedWindows(const CImageDoc& document) const;

    void AddToRecentFiles(const std::string& path) override;
    void DocumentCreated(CImageDoc& document) override;
    void ActivateDocument(CDocument& document) override;
    void DocumentClosing(CImageDoc& document) override;
    int NextNewImageNumber() override { return ++newImageCount_; }
    void LastDocumentClosed() override { emit lastDocumentClosed(); }

signals:
    // A document's window is shown, holding content (what the factory made).
    void windowOpened(QWidget* content);
    void lastDocumentClosed();

protected:
    // A window's close request closes its document instead, once a modified one has been
    // saved or let go; the document's closing event then removes the window.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QMdiArea& area_;
    CDocTemplate& documents_;
    CDocumentPrompts& prompts_;
    WindowFactory factory_;
    struct Window {
        CImageDoc* document;
        QMdiSubWindow* window;
    };
    std::vector<Window> windows_;
    int newImageCount_ = 0;
};

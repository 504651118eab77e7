#pragma once
// The MDI side of the documents: every document the template announces gets a window in the
// MDI area, a file opened again brings its window forward, and a closing document takes its
// window with it. Closing a window closes its document through the template.
#include "core/DocTemplate.h"
#include "core/DocumentHost.h"

#include <QObject>
#include <functional>
#include <vector>

class QMdiArea;
class QMdiSubWindow;
class QWidget;

class CDocumentWindows : public QObject, public IDocumentHost {
    Q_OBJECT
public:
    // Makes the widget that shows a document inside its MDI window.
    using WindowFactory = std::function<QWidget*(CImageDoc&)>;

    CDocumentWindows(QMdiArea& area, CDocTemplate& documents, SettingsStore& settings,
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
    // Copies the control bar's values into the settings through commitControlBar, if set.
    void CommitControlBar(SettingsStore& settings) override;
    void SetControlBarCommit(std::function<void(SettingsStore&)> commit) {
        commitControlBar_ = std::move(commit);
    }
    // The PNG save options dialog on the document; Cancel aborts the save.
    bool ConfirmPngSaveOptions(CImageDoc& document) override;
    bool SaveDocumentAs(CImageDoc& document) override { return saveAs_ && saveAs_(document); }
    // The main window's Save As, for a modified document without a file that closes.
    void SetSaveAs(std::function<bool(CImageDoc&)> saveAs) { saveAs_ = std::move(saveAs); }

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
    SettingsStore& settings_;
    WindowFactory factory_;
    struct Window {
        CImageDoc* document;
        QMdiSubWindow* window;
    };
    std::vector<Window> windows_;
    int newImageCount_ = 0;
    std::function<void(SettingsStore&)> commitControlBar_;
    std::function<bool(CImageDoc&)> saveAs_;
};

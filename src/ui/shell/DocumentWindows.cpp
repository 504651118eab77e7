#include "ui/shell/DocumentWindows.h"

#include "settings/RecentFiles.h"
#include "ui/shell/DocumentPrompts.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

CDocumentWindows::CDocumentWindows(QMdiArea& area, CDocTemplate& documents,
                                   CDocumentPrompts& prompts, WindowFactory factory)
    : area_(area), documents_(documents), prompts_(prompts), factory_(std::move(factory)) {
    documents_.SetHost(this, &prompts_);
}

CDocumentWindows::~CDocumentWindows() {
    documents_.SetHost(nullptr, nullptr);
}

CImageDoc* CDocumentWindows::ActiveDocument() const {
    const QMdiSubWindow* active = area_.currentSubWindow();
    for (const Window& entry : windows_)
        if (active && entry.window == active) return entry.document;
    return nullptr;
}

QMdiSubWindow* CDocumentWindows::WindowOf(const CDocument& document) const {
    for (const Window& entry : windows_)
        if (entry.document == &document) return entry.window;
    return nullptr;
}

void CDocumentWindows::AddToRecentFiles(const std::string& path) {
    AddRecentFile(*documents_.Context().settings, path);
}

void CDocumentWindows::DocumentCreated(CImageDoc& document) {
    QMdiSubWindow* window = area_.addSubWindow(factory_(document));
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    window->installEventFilter(this);
    windows_.push_back({&document, window});
    window->show();
    area_.setActiveSubWindow(window);
    emit windowOpened(window->widget());
}

std::vector<QMdiSubWindow*> CDocumentWindows::SyncedWindows(const CImageDoc& document) const {
    std::vector<QMdiSubWindow*> synced;
    for (const auto& other : documents_.Documents())
        if (other.get() != &document && other->SyncId() == document.SyncId())
            if (QMdiSubWindow* window = WindowOf(*other)) synced.push_back(window);
    return synced;
}

void CDocumentWindows::ActivateDocument(CDocument& document) {
    if (QMdiSubWindow* window = WindowOf(document)) {
        if (window->isMinimized()) window->showNormal();
        area_.setActiveSubWindow(window);
    }
}

void CDocumentWindows::DocumentClosing(CImageDoc& document) {
    QMdiSubWindow* window = WindowOf(document);
    if (!window) return;
    std::erase_if(windows_, [&](const Window& entry) { return entry.document == &document; });
    window->removeEventFilter(this);
    area_.removeSubWindow(window);
    window->deleteLater();
}

bool CDocumentWindows::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Close) return QObject::eventFilter(watched, event);
    for (const Window& entry : windows_) {
        if (entry.window != watched) continue;
        event->ignore();
        if (prompts_.MaybeSave(*entry.document)) documents_.CloseDocument(*entry.document);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

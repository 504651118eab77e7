// The main frame's clipboard side: Paste, Clear and the automatic update of the clipboard
// document when the clipboard changes.
#include "app/commands/CommandId.h"
#include "app/ui/MainFrame.h"
#include "app/ui/ToPackedDib.h"
#include "core/ClipboardDocument.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

bool ClipboardHasImage() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasImage();
}

} // namespace

void CMainFrame::ConnectClipboardCommands() {
    SetCommandHandler(ID_EDIT_PASTE, [this] { Paste(); });
    SetCommandHandler(ID_EDIT_CLEAR_ALL, [] { QGuiApplication::clipboard()->clear(); });
}

void CMainFrame::OnClipboardChanged() {
    clipboardHasImage_ = ClipboardHasImage();
    if (watchesClipboard_ && settings_.autoUpdateClipboard) {
        FreezeClipboardDocument(documents_, clipboardCounter_);
        Paste(); // refreshes the commands too
    } else {
        RefreshCommands();
    }
}

void CMainFrame::Paste() {
    if (clipboardHasImage_)
        PasteIntoClipboardDocument(documents_, ToDibImage(QGuiApplication::clipboard()->image()));
    ShowActiveDocument(); // the status pane and caption follow the pasted or frozen picture
}

void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (watchesClipboard_) return;
    watchesClipboard_ = true;
    OnClipboardChanged();
}

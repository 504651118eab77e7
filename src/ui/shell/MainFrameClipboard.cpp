// The main frame's clipboard side: Paste, Clear and the automatic update of the clipboard
// document when the clipboard changes.
#include "base/ReportError.h"
#include "core/ClipboardDocument.h"
#include "shell/CommandId.h"
#include "ui/shell/ClipboardImage.h"
#include "ui/shell/MainFrame.h"
#include "ui/shell/ToPackedDib.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

bool ClipboardHasImage() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && HoldsImage(*data);
}

// "Paste:reason" with the clipboard and the format on the second line.
void ReportPasteFailure(const ClipboardImage& read) {
    std::string source = LoadString(StringId::ClipboardTitle);
    if (!read.format.isEmpty()) source += " (" + read.format.toStdString() + ")";
    // A picture that was read but could not be made into the document's buffer: no memory.
    ReportError("Paste", source,
                read.reason.isEmpty() ? LoadString(StringId::NoMemory) : read.reason.toStdString());
}

// The picture on the clipboard as an image buffer; null after telling the user why not.
std::unique_ptr<CDibImage> ClipboardPicture() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    const ClipboardImage read = data ? ReadClipboardImage(*data) : ClipboardImage{};
    std::unique_ptr<CDibImage> image = read.image.isNull() ? nullptr : ToDibImage(read.image);
    if (!image) ReportPasteFailure(read);
    return image;
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
    if (clipboardHasImage_) {
        if (std::unique_ptr<CDibImage> image = ClipboardPicture())
            PasteIntoClipboardDocument(documents_, std::move(image));
    }
    ShowActiveDocument(); // the status pane and caption follow the pasted or frozen picture
}

void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (watchesClipboard_) return;
    watchesClipboard_ = true;
    OnClipboardChanged();
}

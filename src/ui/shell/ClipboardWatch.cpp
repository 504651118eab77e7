#include "ui/shell/ClipboardWatch.h"

#include "base/ReportError.h"
#include "core/ClipboardDocument.h"
#include "settings/SettingsStore.h"
#include "shell/CommandId.h"
#include "ui/shell/ClipboardImage.h"
#include "ui/shell/CommandGroups.h"
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

CClipboardWatch::CClipboardWatch(SettingsStore& settings, CDocTemplate& documents,
                                 ICommandWindow& window)
    : settings_(settings), documents_(documents), window_(window) {}

void CClipboardWatch::Follow() {
    OnChanged();
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            &CClipboardWatch::OnChanged);
}

void CClipboardWatch::StartAutoUpdate() {
    if (autoUpdating_) return;
    autoUpdating_ = true;
    OnChanged();
}

void CClipboardWatch::OnChanged() {
    hasImage_ = ClipboardHasImage();
    if (autoUpdating_ && settings_.autoUpdateClipboard) {
        FreezeClipboardDocument(documents_, counter_);
        Paste(); // refreshes the commands too
    } else {
        window_.RefreshCommands();
    }
}

void CClipboardWatch::Paste() {
    if (hasImage_) {
        if (std::unique_ptr<CDibImage> image = ClipboardPicture())
            PasteIntoClipboardDocument(documents_, std::move(image));
    }
    window_.ShowActiveDocument(); // the status pane and caption follow the pasted or frozen picture
}

void RegisterClipboardCommands(CCommandBinder& binder, CClipboardWatch& clipboard) {
    binder.Bind(ID_EDIT_PASTE, [&clipboard] { clipboard.Paste(); });
    binder.Bind(ID_EDIT_CLEAR_ALL, [] { QGuiApplication::clipboard()->clear(); });
}

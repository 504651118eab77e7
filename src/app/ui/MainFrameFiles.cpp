// The main frame's file and document commands: open, close, save as, reload, JPEG conversion,
// Y/Cb/Cr separation and the two PNG displays.
#include "app/commands/CommandId.h"
#include "app/ui/MainFrame.h"
#include "app/ui/NameFilters.h"
#include "app/util/FileExtension.h"
#include "app/util/StringTable.h"
#include "core/JpegConvert.h"
#include "core/PngInfoCommands.h"
#include "imageops/YCbCrSeparation.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>

namespace {

// The dialog in a folder with a filter chosen by its stored number (1 for the first).
void Prepare(QFileDialog& dialog, StringId table, const std::string& folder, int filterNumber) {
    const QStringList filters = NameFilters(table);
    dialog.setNameFilters(filters);
    dialog.setDirectory(QString::fromStdString(folder));
    if (filterNumber >= 1 && filterNumber <= filters.size())
        dialog.selectNameFilter(filters[filterNumber - 1]);
}

// Where the dialog ended and which filter it had, to start there next time.
void Remember(const QFileDialog& dialog, std::string& folder, int& filterNumber) {
    folder = dialog.directory().absolutePath().toStdString() + "/";
    filterNumber = static_cast<int>(dialog.nameFilters().indexOf(dialog.selectedNameFilter())) + 1;
}

} // namespace

void CMainFrame::OpenFiles() {
    QFileDialog dialog(this);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    Prepare(dialog, StringId::OpenFilter, settings_.readDir, settings_.readFilterIdx);
    if (!dialog.exec()) return;
    for (const QString& path : dialog.selectedFiles())
        if (FindExtension(path.toStdString())) documents_.OpenDocumentFile(path.toStdString());
    Remember(dialog, settings_.readDir, settings_.readFilterIdx);
}

void CMainFrame::SaveActiveDocumentAs() {
    CImageDoc* document = ActiveDocument();
    if (!document) return;
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    Prepare(dialog, StringId::SaveFilter, settings_.writeDir, settings_.writeFilterIdx);
    dialog.selectFile(QString::fromStdString(document->PathName().empty()
                                                 ? LoadString(StringId::AllFilesName)
                                                 : FileTitle(document->PathName())));
    if (!dialog.exec() || dialog.selectedFiles().isEmpty()) return;
    document->OnSaveDocument(dialog.selectedFiles().first().toStdString());
    Remember(dialog, settings_.writeDir, settings_.writeFilterIdx);
}

void CMainFrame::ConnectDocumentCommands() {
    SetCommandHandler(ID_FILE_OPEN, [this] { OpenFiles(); });
    SetCommandHandler(ID_FILE_SAVE_AS, [this] { SaveActiveDocumentAs(); });
    SetCommandHandler(ID_FILE_CLOSE, [this] {
        if (QMdiSubWindow* window = mdiArea_->currentSubWindow()) window->close();
    });
    auto onDocument = [this](std::function<void(CImageDoc&)> command) {
        return [this, command = std::move(command)] {
            if (CImageDoc* document = ActiveDocument()) command(*document);
        };
    };
    SetCommandHandler(ID_RELOAD, onDocument([](CImageDoc& document) { document.Reload(); }));
    SetCommandHandler(ID_JPEG_CONVERT, onDocument([this](CImageDoc& document) {
                          std::string label;
                          ConvertToJpeg(document, documents_, label);
                      }));
    SetCommandHandler(ID_YCBCR_SPLIT, onDocument([this](CImageDoc& document) {
                          SeparateYCbCr(document, documents_);
                      }));
    SetCommandHandler(ID_PNG_GAMMA, onDocument([this](CImageDoc& document) {
                          QMessageBox::information(
                              this, QString::fromStdString(document.Title()),
                              QString::fromStdString(PngGammaMessage(document)));
                      }));
    SetCommandHandler(ID_PNG_TRANSPARENT, onDocument([this](CImageDoc& document) {
                          QColorDialog::getColor(QColor::fromRgb(PngTransparentColor(document)),
                                                 this);
                      }));
}

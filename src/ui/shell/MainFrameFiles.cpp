// The main frame's file and document commands: open, close, save as, reload, JPEG conversion,
// Y/Cb/Cr separation and the two PNG displays.
#include "base/FileExtension.h"
#include "base/Platform.h"
#include "base/StringTable.h"
#include "core/JpegConvert.h"
#include "core/PngInfoCommands.h"
#include "imageops/YCbCrSeparation.h"
#include "shell/CommandId.h"
#include "ui/kit/FileDialogFilters.h"
#include "ui/shell/MainFrame.h"
#include "ui/shell/SystemPath.h"

#include <QColorDialog>
#include <QFile>
#include <QFileDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <sys/stat.h>

namespace {

// The dialog in a folder with a filter chosen by its stored number (1 for the first).
void Prepare(QFileDialog& dialog, StringId table, const std::string& folder, int filterNumber) {
    const QStringList filters = FileDialogNameFilters(table);
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

// The dialog asks before replacing a file only when it can see it; a name it shows decoded with
// replacement characters is asked about here.
bool ConfirmHiddenOverwrite(const QString& chosen, const std::string& path) {
    struct stat info {};
    if (path == QFile::encodeName(chosen).toStdString() || stat(path.c_str(), &info) != 0)
        return true;
    const std::string question =
        DisplayPath(path).toStdString() + " は既に存在します。\n置き換えますか?";
    return Platform().ShowMessage(question, MessageKind::Question, Buttons::YesNo) == Answer::Yes;
}

} // namespace

void CMainFrame::OpenFiles() {
    QFileDialog dialog(this);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    Prepare(dialog, StringId::OpenFilter, settings_.readDir, settings_.readFilterIdx);
    if (!dialog.exec()) return;
    // Every chosen file is tried: one whose name says no type is recognised by its content.
    for (const QString& path : dialog.selectedFiles())
        documents_.OpenDocumentFile(SystemPath(path));
    Remember(dialog, settings_.readDir, settings_.readFilterIdx);
}

bool CMainFrame::SaveDocumentAs(CImageDoc& document) {
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    Prepare(dialog, StringId::SaveFilter, settings_.writeDir, settings_.writeFilterIdx);
    dialog.selectFile(document.PathName().empty()
                          ? QString::fromStdString(LoadString(StringId::AllFilesName))
                          : DisplayPath(FileTitle(document.PathName())));
    if (!dialog.exec() || dialog.selectedFiles().isEmpty()) return false;
    const QString chosen = dialog.selectedFiles().first();
    const std::string path = SystemPath(chosen);
    if (!ConfirmHiddenOverwrite(chosen, path)) return false;
    const bool saved = document.OnSaveDocument(path);
    Remember(dialog, settings_.writeDir, settings_.writeFilterIdx);
    return saved;
}

void CMainFrame::ConnectDocumentCommands() {
    SetCommandHandler(ID_FILE_OPEN, [this] { OpenFiles(); });
    SetCommandHandler(ID_FILE_SAVE_AS, [this] {
        if (CImageDoc* document = ActiveDocument()) SaveDocumentAs(*document);
    });
    windows_->SetSaveAs([this](CImageDoc& document) { return SaveDocumentAs(document); });
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

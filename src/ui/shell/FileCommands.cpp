// The file and document commands: open, save as, reload, JPEG conversion, Y/Cb/Cr separation
// and the two PNG displays.
#include "base/FileExtension.h"
#include "base/Platform.h"
#include "core/DocTemplate.h"
#include "core/ImageDoc.h"
#include "core/JpegConvert.h"
#include "core/PngInfoCommands.h"
#include "imageops/YCbCrSeparation.h"
#include "settings/SettingsStore.h"
#include "shell/CommandId.h"
#include "ui/kit/FileDialogFilters.h"
#include "ui/kit/TableText.h"
#include "ui/shell/CommandGroups.h"
#include "ui/shell/SystemPath.h"

#include <QColorDialog>
#include <QFile>
#include <QFileDialog>
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
        TableText(StringId::ReplaceQuestion).replace("%s", DisplayPath(path)).toStdString();
    return Platform().ShowMessage(question, MessageKind::Question, Buttons::YesNo) == Answer::Yes;
}

// Every chosen file is tried: one whose name says no type is recognised by its content.
void OpenFiles(QWidget* parent, SettingsStore& settings, CDocTemplate& documents) {
    QFileDialog dialog(parent);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    Prepare(dialog, StringId::OpenFilter, settings.readDir, settings.readFilterIdx);
    if (!dialog.exec()) return;
    for (const QString& path : dialog.selectedFiles())
        documents.OpenDocumentFile(SystemPath(path));
    Remember(dialog, settings.readDir, settings.readFilterIdx);
}

// The command carried out on the active document, when there is one.
std::function<void()> OnDocument(ICommandWindow& window, std::function<void(CImageDoc&)> command) {
    return [window = &window, command = std::move(command)] {
        if (CImageDoc* document = window->ActiveDocument()) command(*document);
    };
}

} // namespace

bool SaveDocumentAs(QWidget* parent, SettingsStore& settings, CImageDoc& document) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    Prepare(dialog, StringId::SaveFilter, settings.writeDir, settings.writeFilterIdx);
    dialog.selectFile(document.PathName().empty() ? TableText(StringId::AllFilesName)
                                                  : DisplayPath(FileTitle(document.PathName())));
    if (!dialog.exec() || dialog.selectedFiles().isEmpty()) return false;
    const QString chosen = dialog.selectedFiles().first();
    const std::string path = SystemPath(chosen);
    if (!ConfirmHiddenOverwrite(chosen, path)) return false;
    const bool saved = document.OnSaveDocument(path);
    Remember(dialog, settings.writeDir, settings.writeFilterIdx);
    return saved;
}

// The handlers keep the context: the window, settings and documents outlive them.
void RegisterFileCommands(CCommandBinder& binder, const CommandContext& context) {
    ICommandWindow& window = context.window;
    binder.Bind(ID_FILE_OPEN, [context] {
        OpenFiles(context.window.DialogParent(), context.settings, context.documents);
    });
    binder.Bind(ID_FILE_SAVE_AS, OnDocument(window, [context](CImageDoc& document) {
                    SaveDocumentAs(context.window.DialogParent(), context.settings, document);
                }));
    binder.Bind(ID_RELOAD, OnDocument(window, [](CImageDoc& document) { document.Reload(); }));
    binder.Bind(ID_JPEG_CONVERT, OnDocument(window, [context](CImageDoc& document) {
                    std::string label;
                    ConvertToJpeg(document, context.documents, label);
                }));
    binder.Bind(ID_YCBCR_SPLIT, OnDocument(window, [context](CImageDoc& document) {
                    SeparateYCbCr(document, context.documents);
                }));
    binder.Bind(ID_PNG_GAMMA, OnDocument(window, [context](CImageDoc& document) {
                    QMessageBox::information(context.window.DialogParent(),
                                             QString::fromStdString(document.Title()),
                                             QString::fromStdString(PngGammaMessage(document)));
                }));
    binder.Bind(ID_PNG_TRANSPARENT, OnDocument(window, [context](CImageDoc& document) {
                    QColorDialog::getColor(QColor::fromRgb(PngTransparentColor(document)),
                                           context.window.DialogParent());
                }));
}

// The main frame's quantization table and marker commands: the active document's custom
// tables, and the marker inspector on the active document or on a file chosen for it.
#include "core/DocTemplate.h"
#include "core/ImageDoc.h"
#include "core/OpenJpegTables.h"
#include "shell/CommandId.h"
#include "ui/jpegtools/CustomDqtDialog.h"
#include "ui/jpegtools/MarkerInspectorDialog.h"
#include "ui/kit/FileDialogFilters.h"
#include "ui/shell/MainFrame.h"
#include "ui/shell/SystemPath.h"

#include <QFileDialog>

namespace {

// The file to inspect, from an open dialog starting in the given folder; empty when cancelled.
std::string ChooseMarkerFile(QWidget* parent, const std::string& folder) {
    QFileDialog dialog(parent, QString::fromStdString(LoadString(StringId::MarkerOpenTitle)),
                       QString::fromStdString(folder));
    dialog.setNameFilters(FileDialogNameFilters(StringId::MarkerFileFilter));
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (!dialog.exec() || dialog.selectedFiles().isEmpty()) return {};
    return SystemPath(dialog.selectedFiles().first());
}

} // namespace

void CMainFrame::ConnectDqtCommands() {
    // Opening the dialog turns the document's custom tables on, even when it is cancelled.
    SetCommandHandler(ID_CUSTOM_DQT_SETTINGS, [this] {
        CImageDoc* document = ActiveDocument();
        if (!document) return;
        document->SetCustomDqt(true);
        ShowActiveDocument();
        QuantTablePair tables = document->QuantTables();
        if (EditCustomTables(this, tables, OpenJpegTablesOf(documents_), settings_.readDir))
            document->SetQuantTables(tables);
    });
    // A document whose file was rewritten is read again and redrawn.
    SetCommandHandler(ID_MARKER_VIEW, [this] {
        CImageDoc* document = ActiveDocument();
        if (document && InspectMarkers(this, document->PathName(), TempDirectory(settings_)))
            document->Reload();
    });
    // A file rewritten by the inspector opens as a document.
    SetCommandHandler(ID_MARKER_EDIT_FILE, [this] {
        const std::string path = ChooseMarkerFile(this, settings_.readDir);
        if (!path.empty() && InspectMarkers(this, path, TempDirectory(settings_)))
            documents_.OpenDocumentFile(path);
    });
}

// The quantization table and marker commands: the active document's custom tables, and the
// marker inspector on the active document or on a file chosen for it.
#include "core/DocTemplate.h"
#include "core/ImageDoc.h"
#include "core/OpenJpegTables.h"
#include "settings/SettingsStore.h"
#include "shell/CommandId.h"
#include "ui/jpegtools/CustomDqtDialog.h"
#include "ui/jpegtools/MarkerInspectorDialog.h"
#include "ui/kit/FileDialogFilters.h"
#include "ui/kit/TableText.h"
#include "ui/shell/CommandGroups.h"
#include "ui/shell/SystemPath.h"

#include <QFileDialog>

namespace {

// The file to inspect, from an open dialog starting in the given folder; empty when cancelled.
std::string ChooseMarkerFile(QWidget* parent, const std::string& folder) {
    QFileDialog dialog(parent, TableText(StringId::MarkerOpenTitle),
                       QString::fromStdString(folder));
    dialog.setNameFilters(FileDialogNameFilters(StringId::MarkerFileFilter));
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (!dialog.exec() || dialog.selectedFiles().isEmpty()) return {};
    return SystemPath(dialog.selectedFiles().first());
}

} // namespace

// The handlers keep the context: the window, settings and documents outlive them.
void RegisterDqtCommands(CCommandBinder& binder, const CommandContext& context) {
    binder.Bind(ID_CUSTOM_DQT_TOGGLE, [context] {
        if (CImageDoc* document = context.window.ActiveDocument())
            document->SetCustomDqt(!document->UsesCustomDqt());
        context.window.ShowActiveDocument();
    });
    // Opening the dialog turns the document's custom tables on, even when it is cancelled.
    binder.Bind(ID_CUSTOM_DQT_SETTINGS, [context] {
        CImageDoc* document = context.window.ActiveDocument();
        if (!document) return;
        document->SetCustomDqt(true);
        context.window.ShowActiveDocument();
        QuantTablePair tables = document->QuantTables();
        if (EditCustomTables(context.window.DialogParent(), tables,
                             OpenJpegTablesOf(context.documents), context.settings.readDir))
            document->SetQuantTables(tables);
    });
    // A document whose file was rewritten is read again and redrawn.
    binder.Bind(ID_MARKER_VIEW, [context] {
        CImageDoc* document = context.window.ActiveDocument();
        if (document && InspectMarkers(context.window.DialogParent(), document->PathName(),
                                       TempDirectory(context.settings)))
            document->Reload();
    });
    // A file rewritten by the inspector opens as a document.
    binder.Bind(ID_MARKER_EDIT_FILE, [context] {
        QWidget* parent = context.window.DialogParent();
        const std::string path = ChooseMarkerFile(parent, context.settings.readDir);
        if (!path.empty() && InspectMarkers(parent, path, TempDirectory(context.settings)))
            context.documents.OpenDocumentFile(path);
    });
}

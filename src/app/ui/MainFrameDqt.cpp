// The main frame's quantization table command: the active document's custom tables.
#include "app/commands/CommandId.h"
#include "app/ui/MainFrame.h"
#include "core/DocTemplate.h"
#include "core/ImageDoc.h"
#include "core/OpenJpegTables.h"
#include "jpegtools/ui/CustomDqtDialog.h"

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
}

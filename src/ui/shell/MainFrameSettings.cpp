// The main frame's settings sheet and About box.
#include "core/OpenJpegTables.h"
#include "shell/CommandId.h"
#include "ui/jpegtools/CustomDqtDialog.h"
#include "ui/shell/AboutDialog.h"
#include "ui/shell/JpegPage.h"
#include "ui/shell/MainFrame.h"
#include "ui/shell/SettingsSheet.h"

void CMainFrame::ConnectSettingsCommands() {
    SetCommandHandler(ID_SETTINGS, [this] {
        CSettingsSheet sheet(settings_, this);
        // "DQT 設定" edits the application's tables at once, whatever the sheet ends with.
        sheet.JpegPage()->SetEditCustomTables([this, &sheet] {
            EditApplicationTables(&sheet, settings_, OpenJpegTablesOf(documents_));
        });
        sheet.exec();
    });
    SetCommandHandler(ID_APP_ABOUT, [this] {
        CAboutDialog about(this);
        about.exec();
    });
}

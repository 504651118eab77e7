// The main frame's settings sheet and About box.
#include "app/commands/CommandId.h"
#include "app/ui/AboutDialog.h"
#include "app/ui/JpegPage.h"
#include "app/ui/MainFrame.h"
#include "app/ui/SettingsSheet.h"
#include "core/OpenJpegTables.h"
#include "jpegtools/ui/CustomDqtDialog.h"

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

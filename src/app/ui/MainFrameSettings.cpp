// The main frame's settings sheet and About box.
#include "app/commands/CommandId.h"
#include "app/ui/AboutDialog.h"
#include "app/ui/MainFrame.h"
#include "app/ui/SettingsSheet.h"

void CMainFrame::ConnectSettingsCommands() {
    SetCommandHandler(ID_SETTINGS, [this] {
        CSettingsSheet sheet(settings_, this);
        sheet.exec();
    });
    SetCommandHandler(ID_APP_ABOUT, [this] {
        CAboutDialog about(this);
        about.exec();
    });
}

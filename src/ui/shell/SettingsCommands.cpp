// The settings sheet, the About box, and the manual's contents (also F1) and keyword index.
#include "base/HelpTopics.h"
#include "core/OpenJpegTables.h"
#include "shell/CommandId.h"
#include "ui/jpegtools/CustomDqtDialog.h"
#include "ui/kit/HelpContext.h"
#include "ui/kit/HelpWindow.h"
#include "ui/shell/AboutDialog.h"
#include "ui/shell/CommandGroups.h"
#include "ui/shell/JpegPage.h"
#include "ui/shell/SettingsSheet.h"

// The handlers keep the context: the window, settings and documents outlive them.
void RegisterSettingsCommands(CCommandBinder& binder, const CommandContext& context) {
    binder.Bind(ID_SETTINGS, [context] {
        CSettingsSheet sheet(context.settings, context.window.DialogParent());
        // "DQT 設定" edits the application's tables at once, whatever the sheet ends with.
        sheet.JpegPage()->SetEditCustomTables([context, &sheet] {
            EditApplicationTables(&sheet, context.settings, OpenJpegTablesOf(context.documents));
        });
        sheet.exec();
    });
    binder.Bind(ID_APP_ABOUT, [context] {
        CAboutDialog about(context.window.DialogParent());
        about.exec();
    });
    binder.Bind(ID_HELP_INDEX,
                [context] { ShowHelpContext(context.window.DialogParent(), kHelpContents); });
    binder.Bind(ID_HELP_FINDER,
                [context] { HelpWindowFor(context.window.DialogParent()).ShowIndex(); });
}

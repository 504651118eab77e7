// The main frame's help commands: the contents (also F1) and the keyword index of the manual.
#include "app/commands/CommandId.h"
#include "app/ui/HelpContext.h"
#include "app/ui/HelpWindow.h"
#include "app/ui/MainFrame.h"
#include "app/util/HelpTopics.h"

void CMainFrame::ConnectHelpCommands() {
    SetCommandHandler(ID_HELP_INDEX, [this] { ShowHelpContext(this, kHelpContents); });
    SetCommandHandler(ID_HELP_FINDER, [this] { HelpWindowFor(this).ShowIndex(); });
}

// The main frame's help commands: the contents (also F1) and the keyword index of the manual.
#include "base/HelpTopics.h"
#include "shell/CommandId.h"
#include "ui/kit/HelpContext.h"
#include "ui/kit/HelpWindow.h"
#include "ui/shell/MainFrame.h"

void CMainFrame::ConnectHelpCommands() {
    SetCommandHandler(ID_HELP_INDEX, [this] { ShowHelpContext(this, kHelpContents); });
    SetCommandHandler(ID_HELP_FINDER, [this] { HelpWindowFor(this).ShowIndex(); });
}

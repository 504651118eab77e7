#include "app/ui/HelpContext.h"

// The manual does not ship yet: a help request shows nothing for now.
void ShowHelpContext(QWidget*, int) {}

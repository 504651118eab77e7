#include "app/ui/HelpContext.h"

// The manual does not ship yet; until it does a Help button shows nothing.
void ShowHelpContext(QWidget*, int) {}

#include "app/ui/HelpContext.h"

// No help file ships yet, so there is no topic to open.
void ShowHelpContext(QWidget* /*parent*/, int /*context*/) {}

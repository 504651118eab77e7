#pragma once
// The manual's page for a help context number, as the dialogs' Help buttons ask for it.
class QWidget;

void ShowHelpContext(QWidget* parent, int context);

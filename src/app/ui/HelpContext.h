#pragma once
// The Help buttons of the dialogs: each passes the context number of its page of the manual.
class QWidget;

void ShowHelpContext(QWidget* parent, int context);

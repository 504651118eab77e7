#pragma once
// The Help buttons of the dialogs: each passes the context number of its page of the manual.
class QWidget;
class CHelpWindow;

// Opens the page of the context number in the help window of the parent's top window.
void ShowHelpContext(QWidget* parent, int context);
// The help window belonging to the parent's top window, made on first use.
CHelpWindow& HelpWindowFor(QWidget* parent);

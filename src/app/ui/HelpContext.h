#pragma once
// Help topics by their context number.
class QWidget;

// Opens the help topic of the context number; there is no help viewer yet, so nothing shows.
void ShowHelpContext(QWidget* parent, int context);

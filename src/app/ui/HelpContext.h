#pragma once
// Opens the help topic with the given context number.
class QWidget;

void ShowHelpContext(QWidget* parent, int context);

#pragma once
// Controls the batch dialogs make alike: the button row ("OK", "Cancel", "&Help"), check boxes
// and push buttons named for tests and with a caption from the string table.
#include "base/StringTable.h"

class QCheckBox;
class QDialog;
class QDialogButtonBox;
class QPushButton;
class QWidget;

// A button row that accepts, rejects and shows the help topic of the context number; the
// caller places it.
QDialogButtonBox* MakeDialogButtons(QDialog& dialog, int helpContext);
// Adds "この設定を保存" to the row.
QPushButton* AddSaveSettingsButton(QDialogButtonBox& buttons);
QCheckBox* MakeCheckBox(StringId caption, const char* name, QWidget* parent);
// A push button that Enter does not press (the row's OK is the default).
QPushButton* MakeButton(StringId caption, const char* name, QWidget* parent);

#pragma once
// The folder picker of the batch settings dialogs.
#include <functional>
#include <string>

class QWidget;

// Lets the user pick a directory, starting at the folder the text names; on OK the text becomes
// the picked path and the result is true, on cancel the text stays as it was.
bool BrowseForFolder(QWidget* owner, std::string& text, const std::string& title);

// A folder picker with BrowseForFolder's contract; tests put their own in its place.
using FolderPickerFunction = std::function<bool(QWidget*, std::string&, const std::string&)>;

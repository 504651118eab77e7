#pragma once
#include "app/settings/SettingsStore.h"

#include <string>

// (Re)reads the default comment file into the store as Shift_JIS text with CR LF line ends,
// decoding it by the read-charset settings. A missing file gives an empty comment.
void LoadDefaultComment(SettingsStore& store, const std::string& path);
// The decoding of the file's bytes, for tests and the CLI.
std::string DefaultCommentLines(const std::string& fileBytes);

#pragma once
#include "settings/SettingsStore.h"

#include <string>

// (Re)reads the default comment file into the store as Shift_JIS text with CR LF line ends,
// decoding it by the read-charset settings. A missing file gives an empty comment.
void LoadDefaultComment(SettingsStore& store, const std::string& path);
// The decoding of the file's bytes, for tests and the CLI.
std::string DefaultCommentLines(const std::string& fileBytes);
// The lines of a comment text file as they are (no charset conversion), each ended by CR LF and
// kept whole whatever its length; empty when the file cannot be read.
std::string CommentFileLines(const std::string& path);

#pragma once
// Puts a newly written file in place of the file it replaces.
#include <string>

// Copies newFile into a temporary file beside target, flushes it to the disk and renames it
// over target, so target holds either its old or the complete new contents, with its
// permission bits kept. newFile is left in place (the caller deletes it). Failures are
// reported here (tag "Rename" when target cannot be replaced at all, "MoveTemp" when the copy
// fails; message 355) and leave target as it was; returns true on success.
bool ReplaceFileViaTemp(const std::string& newFile, const std::string& target);

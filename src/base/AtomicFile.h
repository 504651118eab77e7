#pragma once
#include <string>

// Writes bytes to path through a temporary file in the same directory, checking every write,
// then renames it over the target; on failure the target is left as it was. A replaced file
// keeps its permission bits.
bool WriteFileAtomically(const std::string& path, const std::string& bytes);

// Creates the missing folders above path (the configuration folder on a first run); false when
// one cannot be made.
bool CreateParentFolders(const std::string& path);

#pragma once
#include <string>

// Reserves a new file "directory/prefixNNNNsuffix" (NNNN four random digits), created empty and
// exclusively so no other process can take the name. Returns false after 100 names in use.
bool CreateTempFile(const std::string& directory, const std::string& prefix,
                    const std::string& suffix, std::string& path);

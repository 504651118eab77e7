#pragma once
// The type a file is read as: its first bytes first, its name otherwise.
#include <string>

// The type a file is read as. Its content decides when its first bytes carry a signature;
// otherwise the extension's type holds (raw RGB has no signature and is known by name alone).
// `opened` tells whether the first bytes could be read at all.
int ReadTypeOfFile(const std::string& path, bool& opened);

#pragma once
// The stored CRC of each chunk of a PNG file checked against its type and data, in file order,
// up to IEND or the first chunk cut short (the chunks the marker inspector lists).
#include <string>
#include <vector>

// One entry per chunk: true when its CRC matches. Empty when the file cannot be read.
std::vector<bool> CheckPngChunkCrcs(const std::string& path);

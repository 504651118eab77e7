#pragma once
// Comment text files loaded into the comment editor: their lines decoded from the charset
// their bytes show, as comments read from images are (Shift_JIS, EUC-JP, ISO-2022-JP, UTF-8;
// a UTF-8 byte order mark decides UTF-8).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The text of the bytes as 16-bit Unicode units, each line ended by CR LF; nothing when a byte
// sequence is not valid in the detected charset.
std::optional<std::vector<uint16_t>> DecodeCommentFile(const std::string& bytes);
// Reads and decodes a comment file; nothing, reported with the file's path ("LoadComment"),
// when it cannot be read or decoded.
std::optional<std::vector<uint16_t>> ReadCommentFile(const std::string& path);

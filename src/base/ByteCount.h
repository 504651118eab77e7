#pragma once
#include <cstdint>
#include <string>

// Formats a byte count grouped by thousands ("1,234,567") and in K/M with one truncated
// decimal ("1.1M"); either output may be null.
void FormatByteCount(uint32_t count, std::string* grouped, std::string* shortForm);

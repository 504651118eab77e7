#pragma once
// Two quantization tables of 64 values in natural (row-major) order: table 0 for luminance,
// table 1 for chrominance; as a block of 128 values, table 0 first.
#include <array>
#include <cstdint>
#include <string>

using QuantTable = std::array<uint16_t, 64>;
using QuantTablePair = std::array<uint16_t, 128>;

// The "Qf" figure of a table: 100 * (64*255 - sum) / (64*254), one decimal cut, as "%d.%d".
std::string QualityText(uint32_t sum);
// Qf text of a table's values.
std::string QualityTextOf(const uint16_t table[64]);
// libjpeg's table for a quality factor (index 0 luminance, 1 chrominance), values cut to 255.
QuantTable MakeQualityTable(int index, int quality);
// Both tables of a quality factor.
QuantTablePair MakeQualityTablePair(int quality);

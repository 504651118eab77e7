#pragma once
// Quality figures of quantization tables and the tables libjpeg makes for a quality factor.
#include "base/QuantTableTypes.h"

#include <cstdint>
#include <string>

// The "Qf" figure of a table: 100 * (64*255 - sum) / (64*254), one decimal cut, as "%d.%d".
std::string QualityText(uint32_t sum);
// Qf text of a table's values.
std::string QualityTextOf(const uint16_t table[64]);
// libjpeg's table for a quality factor (index 0 luminance, 1 chrominance), values cut to 255.
QuantTable MakeQualityTable(int index, int quality);
// Both tables of a quality factor.
QuantTablePair MakeQualityTablePair(int quality);

#pragma once
// Two quantization tables of 64 values in natural (row-major) order: table 0 for luminance,
// table 1 for chrominance; as a block of 128 values, table 0 first.
#include <array>
#include <cstdint>

using QuantTable = std::array<uint16_t, 64>;
using QuantTablePair = std::array<uint16_t, 128>;

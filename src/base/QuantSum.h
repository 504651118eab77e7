#pragma once
#include <cstdint>

// Sum of the 64 entries of a quantization table.
uint32_t SumQuantTable(const uint16_t table[64]);

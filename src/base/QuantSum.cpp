#include "base/QuantSum.h"

uint32_t SumQuantTable(const uint16_t table[64]) {
    uint32_t sum = 0;
    for (int i = 0; i < 64; ++i)
        sum += table[i];
    return sum;
}

#include "base/GammaTable.h"

#include <cmath>

void BuildGammaTable(int table[256], double exponent) {
    const double top = std::pow(255.0, exponent);
    for (int x = 0; x < 256; ++x)
        table[x] = 0;
    int input = 0;
    int next = 0;
    for (int b = 0; b < 256; ++b) {
        double curve = std::pow(static_cast<double>(b), exponent) * 255.0 / top;
        int v = !(curve >= 0.0) ? 0 : curve >= 256.0 ? 256 : static_cast<int>(curve);
        if (v <= next) continue;
        for (int x = next; x < v; ++x)
            table[x] = input;
        input = b;
        next = v;
    }
    for (int x = next; x < 256; ++x)
        table[x] = 255;
}

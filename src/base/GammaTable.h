#pragma once

// Fills table with the inverse of the curve b -> floor(255 * (b / 255)^exponent).
void BuildGammaTable(int table[256], double exponent);

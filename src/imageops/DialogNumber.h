#pragma once
// Numbers typed into dialog fields, read as the dialogs have always read them: surrounding
// blanks are ignored, and anything that is not a whole number in range reads as 0.
#include <cstdint>
#include <string>

// An unsigned number (0 ... UINT32_MAX); 0 for any other text.
uint32_t ReadUnsignedField(const std::string& text);
// A signed number (INT32_MIN ... INT32_MAX) with an optional '-' or '+'; 0 for any other text.
int32_t ReadSignedField(const std::string& text);
// A decimal fraction as atof reads it (leading blanks skipped, trailing text ignored), in the
// "C" notation whatever the locale; 0 when the text does not start with a number.
double ReadDecimalField(const std::string& text);

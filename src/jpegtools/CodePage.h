// Shift_JIS (code page 932) <-> 16-bit Unicode units through glibc iconv, with the forgiving
// behaviour of a platform code-page conversion: an unconvertible unit becomes '?'.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <iconv.h>

// Owns one iconv conversion descriptor.
class Iconv {
public:
    struct Result {
        std::string bytes;
        size_t replaced = 0; // input units that could not be converted
    };

    Iconv(const char* toCode, const char* fromCode);
    ~Iconv();
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    bool IsOpen() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts all of `input` in one pass. An invalid or incomplete input unit of `unitSize`
    // bytes is replaced by `replacement` (already in the target encoding) and skipped.
    Result Convert(std::string_view input, size_t unitSize, std::string_view replacement);

private:
    iconv_t cd_;
};

// 16-bit units -> Shift_JIS; surrogates and units with no Shift_JIS form become '?'.
std::string UnitsToShiftJis(const std::vector<uint16_t>& units);

// Shift_JIS -> 16-bit units; an invalid or truncated byte becomes U+003F '?'.
std::vector<uint16_t> ShiftJisToUnits(std::string_view sjis);

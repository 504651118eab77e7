// Shift_JIS (code page 932) <-> 16-bit Unicode units through glibc iconv, with the forgiving
// behaviour of a platform code-page conversion: an unconvertible unit becomes '?'.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <iconv.h>

// Owns one iconv conversion descriptor.
class Iconv {
public:
    struct Result {
        std::string bytes;
        size_t replaced = 0;                      // input units that could not be converted
        size_t firstReplaced = std::string::npos; // byte offset of the first of them in the input
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

// The same without replacing: nothing when a unit has no Shift_JIS form, and `refused` then
// holds the index of the first such unit (the first unit of a surrogate pair).
std::optional<std::string> UnitsToShiftJisExact(const std::vector<uint16_t>& units,
                                                size_t& refused);

// Shift_JIS -> 16-bit units; an invalid or truncated byte becomes `replacement`.
std::vector<uint16_t> ShiftJisToUnits(std::string_view sjis, uint16_t replacement = '?');

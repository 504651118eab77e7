#include "jpegtools/CodePage.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

const size_t kIconvError = static_cast<size_t>(-1);

bool IsHighSurrogate(uint16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(uint16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

} // namespace

Iconv::Iconv(const char* toCode, const char* fromCode) : cd_(iconv_open(toCode, fromCode)) {}

Iconv::~Iconv() {
    if (IsOpen()) iconv_close(cd_);
}

Iconv::Result Iconv::Convert(std::string_view input, size_t unitSize,
                             std::string_view replacement) {
    Result result;
    if (!IsOpen()) return result;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr); // reset the shift state

    std::string& out = result.bytes;
    out.resize(input.size() * 2 + 16);
    size_t used = 0;
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    bool flushing = false; // input consumed; writing the closing shift sequence
    for (;;) {
        char* outPtr = out.data() + used;
        size_t outLeft = out.size() - used;
        size_t rc = flushing ? iconv(cd_, nullptr, nullptr, &outPtr, &outLeft)
                             : iconv(cd_, &in, &inLeft, &outPtr, &outLeft);
        used = static_cast<size_t>(outPtr - out.data());
        if (rc != kIconvError) {
            if (flushing) break;
            flushing = true;
            continue;
        }
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        size_t skip = std::min(unitSize, inLeft);
        if (flushing || (errno != EILSEQ && errno != EINVAL) || skip == 0) break;
        if (result.replaced == 0) result.firstReplaced = static_cast<size_t>(in - input.data());
        in += skip;
        inLeft -= skip;
        if (out.size() - used < replacement.size()) out.resize(out.size() * 2 + replacement.size());
        std::memcpy(out.data() + used, replacement.data(), replacement.size());
        used += replacement.size();
        ++result.replaced;
    }
    out.resize(used);
    return result;
}

namespace {

struct UnitConversion {
    std::string bytes;
    size_t firstUnconvertible = std::string::npos; // index of the first unit that became '?'
};

UnitConversion ConvertUnitsToShiftJis(const std::vector<uint16_t>& units) {
    // Code page 932 has no character outside the BMP: a surrogate pair, like a lone
    // surrogate, stands for one unconvertible character.
    UnitConversion conversion;
    std::string utf16;
    utf16.reserve(units.size() * 2);
    for (size_t i = 0; i < units.size(); ++i) {
        uint16_t unit = units[i];
        if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            conversion.firstUnconvertible = std::min(conversion.firstUnconvertible, i);
            if (IsHighSurrogate(unit) && i + 1 < units.size() && IsLowSurrogate(units[i + 1])) ++i;
            unit = '?';
        }
        utf16.push_back(static_cast<char>(unit & 0xFF));
        utf16.push_back(static_cast<char>(unit >> 8));
    }
    thread_local Iconv toSjis("CP932", "UTF-16LE");
    Iconv::Result result = toSjis.Convert(utf16, 2, "?");
    // Before the first surrogate pair a byte offset halves to the unit's index; after it the
    // surrogate came first anyway.
    if (result.replaced > 0)
        conversion.firstUnconvertible =
            std::min(conversion.firstUnconvertible, result.firstReplaced / 2);
    conversion.bytes = std::move(result.bytes);
    return conversion;
}

} // namespace

std::string UnitsToShiftJis(const std::vector<uint16_t>& units) {
    return ConvertUnitsToShiftJis(units).bytes;
}

std::optional<std::string> UnitsToShiftJisExact(const std::vector<uint16_t>& units,
                                                size_t& refused) {
    UnitConversion conversion = ConvertUnitsToShiftJis(units);
    refused = conversion.firstUnconvertible;
    if (refused != std::string::npos) return std::nullopt;
    return std::move(conversion.bytes);
}

std::vector<uint16_t> ShiftJisToUnits(std::string_view sjis, uint16_t replacement) {
    thread_local Iconv fromSjis("UTF-16LE", "CP932");
    const char replacementBytes[] = {static_cast<char>(replacement & 0xFF),
                                     static_cast<char>(replacement >> 8)};
    const std::string utf16 =
        fromSjis.Convert(sjis, 1, std::string_view(replacementBytes, 2)).bytes;
    std::vector<uint16_t> units(utf16.size() / 2);
    for (size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<uint16_t>(static_cast<uint8_t>(utf16[2 * i]) |
                                         static_cast<uint8_t>(utf16[2 * i + 1]) << 8);
    }
    return units;
}

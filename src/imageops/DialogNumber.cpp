#include "imageops/DialogNumber.h"

#include <charconv>
#include <limits>

namespace {

std::string Trimmed(const std::string& text) {
    const char* blanks = " \t\r\n";
    size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// The whole text as an integer within [low, high], or 0.
int64_t ReadWhole(const std::string& text, int64_t low, int64_t high) {
    std::string digits = Trimmed(text);
    if (!digits.empty() && digits[0] == '+') digits.erase(0, 1);
    int64_t value = 0;
    const char* end = digits.data() + digits.size();
    auto [stop, error] = std::from_chars(digits.data(), end, value);
    if (error != std::errc() || stop != end || value < low || value > high) return 0;
    return value;
}

} // namespace

uint32_t ReadUnsignedField(const std::string& text) {
    if (Trimmed(text).starts_with('-')) return 0;
    return static_cast<uint32_t>(ReadWhole(text, 0, std::numeric_limits<uint32_t>::max()));
}

int32_t ReadSignedField(const std::string& text) {
    return static_cast<int32_t>(
        ReadWhole(text, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

double ReadDecimalField(const std::string& text) {
    size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return 0.0;
    if (text[first] == '+') ++first;
    double value = 0.0;
    auto [stop, error] = std::from_chars(text.data() + first, text.data() + text.size(), value);
    return error == std::errc() ? value : 0.0;
}

#pragma once
// Numbers in command-line arguments: the whole text must be the number, within [low, high].
#include <charconv>
#include <string>

template <typename Number>
bool ParseNumber(const std::string& text, Number low, Number high, Number& value) {
    const char* end = text.data() + text.size();
    Number parsed{};
    auto [stop, error] = std::from_chars(text.data(), end, parsed);
    // Written so that a NaN, which compares false with everything, is refused too.
    if (text.empty() || error != std::errc() || stop != end || !(parsed >= low && parsed <= high))
        return false;
    value = parsed;
    return true;
}

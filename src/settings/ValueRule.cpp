#include "settings/ValueRule.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdlib>

ValueRule TextRule() {
    return {};
}

ValueRule WholeRule(double low, double high) {
    return {ValueRule::Kind::Whole, low, high};
}

ValueRule FlagRule() {
    return WholeRule(0, 1);
}

ValueRule PositiveRealRule() {
    return {ValueRule::Kind::Real, DBL_MIN, DBL_MAX};
}

namespace {

bool HasLineBreak(const std::string& text) {
    return text.find_first_of("\r\n") != std::string::npos;
}

// The number of a field without the blanks around it and a leading '+'.
std::string FieldNumber(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    std::string number = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    if (number.starts_with('+')) number.erase(0, 1);
    return number;
}

// Whether the characters can still form a number of the rule: digits after an optional '-'
// (when the range goes below zero), and for real numbers one '.'.
bool NumberCharacters(const ValueRule& rule, const std::string& number) {
    size_t i = number.starts_with('-') && rule.low < 0 ? 1 : 0;
    bool point = rule.kind != ValueRule::Kind::Real;
    for (; i < number.size(); ++i) {
        if (number[i] == '.' && !point)
            point = true;
        else if (number[i] < '0' || number[i] > '9')
            return false;
    }
    return true;
}

// Whether more digits only take the number further from the range: it already lies beyond the
// end its sign grows towards.
bool PastTheRange(const ValueRule& rule, const std::string& number) {
    const double value = std::strtod(number.c_str(), nullptr);
    return (value > rule.high && value > 0) || (value < rule.low && value < 0);
}

} // namespace

Typed TypedState(const ValueRule& rule, const std::string& text) {
    if (HasLineBreak(text)) return Typed::Refused;
    if (rule.kind == ValueRule::Kind::Text) return Typed::Taken;
    const std::string number = FieldNumber(text);
    if (!NumberCharacters(rule, number) || PastTheRange(rule, number)) return Typed::Refused;
    return RuleTakes(rule, number) ? Typed::Taken : Typed::Unfinished;
}

bool RuleTakes(const ValueRule& rule, const std::string& text) {
    if (HasLineBreak(text)) return false;
    if (rule.kind == ValueRule::Kind::Text) return true;
    if (text.empty()) return false;
    const char* end = text.data() + text.size();
    if (rule.kind == ValueRule::Kind::Whole) {
        long long value = 0;
        auto [stop, error] = std::from_chars(text.data(), end, value);
        return error == std::errc() && stop == end && value >= rule.low && value <= rule.high;
    }
    char* stop = nullptr;
    const double value = std::strtod(text.c_str(), &stop);
    return stop == end && std::isfinite(value) && value >= rule.low && value <= rule.high;
}

std::string RuleDescription(const ValueRule& rule) {
    switch (rule.kind) {
    case ValueRule::Kind::Text:
        return "text on one line";
    case ValueRule::Kind::Real:
        return "a number above 0";
    case ValueRule::Kind::Whole:
        if (rule.low == 0 && rule.high == 1) return "0 or 1";
        return "a whole number from " + std::to_string(static_cast<long long>(rule.low)) + " to " +
               std::to_string(static_cast<long long>(rule.high));
    }
    return {};
}

#include "app/settings/ValueRule.h"

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

bool RuleTakes(const ValueRule& rule, const std::string& text) {
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
        return "any text";
    case ValueRule::Kind::Real:
        return "a number above 0";
    case ValueRule::Kind::Whole:
        if (rule.low == 0 && rule.high == 1) return "0 or 1";
        return "a whole number from " + std::to_string(static_cast<long long>(rule.low)) + " to " +
               std::to_string(static_cast<long long>(rule.high));
    }
    return {};
}

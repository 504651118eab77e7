#pragma once
// What a setting's value may be: any text, a whole number or a real number within a range. The
// command line checks each override against its key's rule before using it.
#include <string>

struct ValueRule {
    enum class Kind { Text, Whole, Real };
    Kind kind = Kind::Text;
    double low = 0;
    double high = 0;
};

ValueRule TextRule();
ValueRule WholeRule(double low, double high);
ValueRule FlagRule();
// A finite real number above zero (the gamma values).
ValueRule PositiveRealRule();

// Whether the whole text is a value the rule takes.
bool RuleTakes(const ValueRule& rule, const std::string& text);
// What the rule takes, for a message: "a whole number from 0 to 100".
std::string RuleDescription(const ValueRule& rule);

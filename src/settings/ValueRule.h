#pragma once
// What a setting's value may be: text on one line, a whole number or a real number within a
// range. The command line checks each override against its key's rule before using it, and the
// dialogs check what is typed into their fields.
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

// Whether the whole text is a value the rule takes. No rule takes a CR or LF: a line break
// would end the value in the profile.
bool RuleTakes(const ValueRule& rule, const std::string& text);

// Text typed into a field: taken by the rule (blanks around a number and a leading '+'
// allowed), unfinished (empty, or a number that more typing can bring into the range: "-",
// "0." or 1 for a range from 10), or refused (a line break, a letter in a number, a sign or a
// number that no further digit brings into the range).
enum class Typed { Taken, Unfinished, Refused };
Typed TypedState(const ValueRule& rule, const std::string& text);
// What the rule takes, for a message: "a whole number from 0 to 100".
std::string RuleDescription(const ValueRule& rule);

#include "settings/SettingRules.h"

#include <climits>
#include <cstring>

namespace {

struct NamedRule {
    const char* name;
    int low, high;
};

// Whole-number keys whose range is narrower than int.
constexpr NamedRule kRanges[] = {
    {"MaxMRU", 0, 9},
    {"Param1", 0, 100},
    {"Param2", 0, 4},
    {"Param3", 0, 1},
    {"ResolutionH", 0, 65535},
    {"ResolutionV", 0, 65535},
    {"ResolutionUnit", 0, 2},
    {"ReadCharset", 0, 4},
    {"WriteCharset", 0, 4},
    {"pngSaveMode", 0, 4},
    {"colorTransparent", 0, 0xFFFFFF},
};

// Keys that hold a position or index the program keeps for itself.
constexpr const char* kAnyNumber[] = {"ReadFilterIdx", "WriteFilterIdx", "WindowPosLeft",
                                      "WindowPosTop",  "WindowPosWidth", "WindowPosHeight"};

} // namespace

ValueRule SettingRule(const SettingKey& key) {
    if (key.kind == SettingKey::Kind::String) return TextRule();
    if (key.kind == SettingKey::Kind::Real) return PositiveRealRule();
    for (const NamedRule& rule : kRanges)
        if (std::strcmp(rule.name, key.name) == 0) return WholeRule(rule.low, rule.high);
    for (const char* name : kAnyNumber)
        if (std::strcmp(name, key.name) == 0) return WholeRule(INT_MIN, INT_MAX);
    return FlagRule(); // every other int key is a flag
}

ValueRule SettingRule(const char* name) {
    const SettingKey* key = FindSettingKey(name);
    return key ? SettingRule(*key) : TextRule();
}

ValueRule ZoomRule() {
    return WholeRule(0, INT_MAX);
}

#include "settings/SettingOverride.h"

#include "base/MemoryLimit.h"
#include "settings/SettingKeys.h"
#include "settings/SettingRules.h"

#include <map>
#include <strings.h>

namespace {

using RuledKeys = std::vector<std::pair<std::string, ValueRule>>;

std::map<std::string, RuledKeys>& SectionKeys() {
    static std::map<std::string, RuledKeys> keys;
    return keys;
}

const ValueRule* FindSectionKey(const std::string& section, const std::string& key) {
    auto found = SectionKeys().find(section);
    if (found == SectionKeys().end()) return nullptr;
    for (const auto& [known, rule] : found->second)
        if (strcasecmp(known.c_str(), key.c_str()) == 0) return &rule;
    return nullptr;
}

// False with the reason when the rule does not take the value.
bool CheckValue(const ValueRule& rule, const std::string& key, const std::string& value,
                std::string& error) {
    if (RuleTakes(rule, value)) return true;
    error = "--set " + key + " takes " + RuleDescription(rule) + ", not '" + value + "'";
    return false;
}

bool ApplySectionOverride(SettingsStore& store, const std::string& key, const std::string& value,
                          std::string& error) {
    const size_t dot = key.find('.');
    const std::string section = key.substr(0, dot), name = key.substr(dot + 1);
    const ValueRule* rule = FindSectionKey(section, name);
    if (!rule) {
        error = "unknown setting '" + key + "'";
        return false;
    }
    if (!CheckValue(*rule, key, value, error)) return false;
    store.profile.WriteString(section, name, value);
    return true;
}

bool ApplyZoomOverride(SettingsStore& store, const std::string& key, const std::string& value,
                       std::string& error) {
    for (int i = 0; i < kZoomCount; ++i) {
        if (strcasecmp(ZoomKeyName(i).c_str(), key.c_str()) != 0) continue;
        if (!CheckValue(ZoomRule(), key, value, error)) return false;
        store.zoomTable[i] = ParseProfileInt(value);
        store.zoomLabels[i] = std::to_string(store.zoomTable[i]) + "%";
        return true;
    }
    error = "unknown setting '" + key + "'";
    return false;
}

bool ApplyMemoryLimit(const std::string& value, std::string& error) {
    if (!CheckValue(WholeRule(1, 1 << 30), kMemoryLimitKey, value, error)) return false;
    SetMemoryLimit(std::stoull(value) << 20);
    return true;
}

} // namespace

void LoadMemoryLimit(const SettingsStore& store) {
    const std::string value = store.profile.GetString(store.sectionName, kMemoryLimitKey, "");
    std::string error;
    if (value.empty() || !ApplyMemoryLimit(value, error)) SetMemoryLimit(DefaultMemoryLimit());
}

void RegisterSectionKeys(const std::string& section, const std::vector<std::string>& keys) {
    RuledKeys ruled;
    for (const std::string& key : keys)
        ruled.emplace_back(key, TextRule());
    RegisterSectionKeys(section, ruled);
}

void RegisterSectionKeys(const std::string& section, const RuledKeys& keys) {
    SectionKeys()[section] = keys;
}

bool ApplySettingOverride(SettingsStore& store, const std::string& assignment, std::string& error) {
    const size_t equals = assignment.find('=');
    if (equals == std::string::npos || equals == 0) {
        error = "--set takes KEY=VALUE, not '" + assignment + "'";
        return false;
    }
    const std::string key = assignment.substr(0, equals);
    const std::string value = assignment.substr(equals + 1);
    if (key.find('.') != std::string::npos) return ApplySectionOverride(store, key, value, error);
    if (strcasecmp(key.c_str(), kMemoryLimitKey) == 0) return ApplyMemoryLimit(value, error);
    if (const SettingKey* setting = FindSettingKey(key)) {
        if (!CheckValue(SettingRule(*setting), setting->name, value, error)) return false;
        SetSettingFromText(store, *setting, value);
        return true;
    }
    return ApplyZoomOverride(store, key, value, error);
}

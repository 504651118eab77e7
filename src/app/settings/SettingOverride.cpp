#include "app/settings/SettingOverride.h"

#include "app/settings/SettingKeys.h"

#include <map>
#include <strings.h>

namespace {

std::map<std::string, std::vector<std::string>>& SectionKeys() {
    static std::map<std::string, std::vector<std::string>> keys;
    return keys;
}

bool IsSectionKey(const std::string& section, const std::string& key) {
    auto found = SectionKeys().find(section);
    if (found == SectionKeys().end()) return false;
    for (const std::string& known : found->second)
        if (strcasecmp(known.c_str(), key.c_str()) == 0) return true;
    return false;
}

bool ApplyZoomOverride(SettingsStore& store, const std::string& key, const std::string& value) {
    for (int i = 0; i < kZoomCount; ++i) {
        if (strcasecmp(ZoomKeyName(i).c_str(), key.c_str()) != 0) continue;
        store.zoomTable[i] = ParseProfileInt(value);
        store.zoomLabels[i] = std::to_string(store.zoomTable[i]) + "%";
        return true;
    }
    return false;
}

} // namespace

void RegisterSectionKeys(const std::string& section, const std::vector<std::string>& keys) {
    SectionKeys()[section] = keys;
}

bool ApplySettingOverride(SettingsStore& store, const std::string& assignment, std::string& error) {
    size_t equals = assignment.find('=');
    if (equals == std::string::npos || equals == 0) {
        error = "--set takes KEY=VALUE, not '" + assignment + "'";
        return false;
    }
    std::string key = assignment.substr(0, equals);
    std::string value = assignment.substr(equals + 1);
    size_t dot = key.find('.');
    if (dot != std::string::npos) {
        std::string section = key.substr(0, dot), name = key.substr(dot + 1);
        if (!IsSectionKey(section, name)) {
            error = "unknown setting '" + key + "'";
            return false;
        }
        store.profile.WriteString(section, name, value);
        return true;
    }
    if (const SettingKey* setting = FindSettingKey(key)) {
        SetSettingFromText(store, *setting, value);
        return true;
    }
    if (ApplyZoomOverride(store, key, value)) return true;
    error = "unknown setting '" + key + "'";
    return false;
}

#pragma once
// The keys of section "default": name, kind, member and default, in the order they are read.
#include "settings/SettingsStore.h"

#include <optional>
#include <string>
#include <vector>

struct SettingKey {
    enum class Kind { Int, String, Real };
    const char* name;
    Kind kind;
    int SettingsStore::*intMember;
    std::string SettingsStore::*stringMember;
    double SettingsStore::*realMember;
    const char* defaultValue; // nullptr: the platform's temporary directory
};

// Every stored key in reading order (AllowExtSampling last, zoom keys not included).
const std::vector<SettingKey>& SettingKeys();
// Key names in the order the settings are written.
const std::vector<const char*>& SettingSaveOrder();
const SettingKey* FindSettingKey(const std::string& name);

// The default text of a key.
std::string SettingDefault(const SettingKey& key);
// The member's value as it is written to the profile (reals as "%f").
std::string SettingText(const SettingsStore& store, const SettingKey& key);
// Sets the member from profile text (ints as the profile reads them, reals with atof).
void SetSettingFromText(SettingsStore& store, const SettingKey& key, const std::string& text);
// "ZoomRate1" ... "ZoomRate12" and their defaults.
std::string ZoomKeyName(int index);
extern const int kDefaultZoomRates[kZoomCount];

#pragma once
// What each settings key means, in a few words, for "settings --section".
#include <string>

// The meaning of a key of section "default", "bulkconv" or "bulkfilter"; empty when unknown.
std::string SettingMeaning(const std::string& section, const std::string& key);

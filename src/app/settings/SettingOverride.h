#pragma once
#include "app/settings/SettingsStore.h"

#include <string>
#include <vector>

// Applies "Key=Value" (a key of section "default") or "section.Key=Value" (a key of a batch
// section, held in the in-memory profile) for this run only. False with a reason when the
// assignment is malformed or names an unknown key.
bool ApplySettingOverride(SettingsStore& store, const std::string& assignment, std::string& error);

// Batch sections register the keys they read, so that overrides of them are accepted.
void RegisterSectionKeys(const std::string& section, const std::vector<std::string>& keys);

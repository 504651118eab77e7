#pragma once
#include "settings/SettingsStore.h"
#include "settings/ValueRule.h"

#include <string>
#include <utility>
#include <vector>

// Applies "Key=Value" (a key of section "default") or "section.Key=Value" (a key of a batch
// section, held in the in-memory profile) for this run only. False with a reason when the
// assignment is malformed, names an unknown key or gives a value the key does not take.
// "MemoryLimitMB=N" sets the memory limit of the run; it is stored nowhere.
bool ApplySettingOverride(SettingsStore& store, const std::string& assignment, std::string& error);

// Batch sections register the keys they read, so that overrides of them are accepted; keys
// registered by name alone take any text.
void RegisterSectionKeys(const std::string& section, const std::vector<std::string>& keys);
void RegisterSectionKeys(const std::string& section,
                         const std::vector<std::pair<std::string, ValueRule>>& keys);

// The run-only key of the memory limit, in MiB.
constexpr const char* kMemoryLimitKey = "MemoryLimitMB";
// The memory limit from the key in the profile's section when it holds a valid value, else the
// machine's default. The key is read only; the settings never write it.
void LoadMemoryLimit(const SettingsStore& store);

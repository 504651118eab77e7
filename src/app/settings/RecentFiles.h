#pragma once
#include "app/settings/SettingsStore.h"

#include <string>

// The recent-file list lives in section "Recent File List" as File1 ... FileN (N = MaxMRU).
constexpr int kMaxRecentFiles = 16;
void LoadRecentFiles(SettingsStore& store);
void SaveRecentFiles(SettingsStore& store);
// Puts path at the top of the list, dropping an older entry of it and entries beyond MaxMRU.
void AddRecentFile(SettingsStore& store, const std::string& path);

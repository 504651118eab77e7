#pragma once
#include "settings/SettingsStore.h"

#include <string>

// The recent-file list lives in section "Recent File List" as File1 ... FileN. N is the MaxMRU
// the list was loaded with; a MaxMRU changed later applies from the next start.
constexpr int kMaxRecentFiles = 16;
void LoadRecentFiles(SettingsStore& store);
void SaveRecentFiles(SettingsStore& store);
// Puts path at the top of the list, dropping an older entry of it and entries beyond MaxMRU.
void AddRecentFile(SettingsStore& store, const std::string& path);
// Deletes the list's entries from the profile, in memory and in its file, and empties the list
// at once; the cleared flag tells the file menu to drop its items.
void ClearRecentFiles(SettingsStore& store);

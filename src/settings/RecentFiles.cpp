#include "settings/RecentFiles.h"

#include <algorithm>

namespace {

const char* const kSection = "Recent File List";

int Capacity(const SettingsStore& store) {
    return std::clamp(store.recentFileCapacity, 0, kMaxRecentFiles);
}

std::string EntryName(int index) {
    return "File" + std::to_string(index + 1);
}

} // namespace

void LoadRecentFiles(SettingsStore& store) {
    store.recentFileCapacity = store.maxMRU;
    store.recentFiles.clear();
    for (int i = 0; i < Capacity(store); ++i) {
        std::string path = store.profile.GetString(kSection, EntryName(i), "");
        if (!path.empty()) store.recentFiles.push_back(path);
    }
}

void SaveRecentFiles(SettingsStore& store) {
    store.profile.RemoveSection(kSection);
    int count = std::min(Capacity(store), static_cast<int>(store.recentFiles.size()));
    for (int i = 0; i < count; ++i)
        store.profile.WriteString(kSection, EntryName(i), store.recentFiles[i]);
}

void AddRecentFile(SettingsStore& store, const std::string& path) {
    auto& list = store.recentFiles;
    list.erase(std::remove(list.begin(), list.end(), path), list.end());
    list.insert(list.begin(), path);
    if (static_cast<int>(list.size()) > Capacity(store)) list.resize(Capacity(store));
}

void ClearRecentFiles(SettingsStore& store) {
    store.profile.RemoveSection(kSection);
    store.recentFiles.clear();
    store.recentListCleared = 1;
    // The file loses the entries now, whatever the end of the run writes.
    ProfileFile onDisk;
    if (!onDisk.Load(store.profilePath) || onDisk.Keys(kSection).empty()) return;
    onDisk.RemoveSection(kSection);
    onDisk.Save(store.profilePath);
}

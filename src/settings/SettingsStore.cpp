#include "settings/SettingsStore.h"

#include "base/Platform.h"
#include "settings/RecentFiles.h"
#include "settings/SettingKeys.h"
#include "settings/SettingOverride.h"

#include <cstdio>
#include <cstdlib>

SettingsStore& AppSettings() {
    static SettingsStore store;
    return store;
}

namespace {

std::string ConfigDirectory() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && *xdg) return std::string(xdg) + "/tolmena";
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : ".") + "/.config/tolmena";
}

void LoadZoomTable(SettingsStore& store) {
    for (int i = 0; i < kZoomCount; ++i) {
        int rate = store.profile.GetInt(store.sectionName, ZoomKeyName(i), kDefaultZoomRates[i]);
        store.zoomTable[i] = rate;
        char label[32];
        std::snprintf(label, sizeof label, "%d%%", rate);
        store.zoomLabels[i] = label;
    }
    store.zoomTable[kZoomCount] = 0;
}

void WriteKey(SettingsStore& store, const char* name) {
    const SettingKey* key = FindSettingKey(name);
    store.profile.WriteString(store.sectionName, key->name, SettingText(store, *key));
}

// With saving switched off, only the switching off itself is remembered.
bool RememberSavingOff(const SettingsStore& store) {
    ProfileFile onDisk;
    onDisk.Load(store.profilePath);
    if (onDisk.GetInt(store.sectionName, "SaveConfig", 0) != 1) return true;
    onDisk.WriteInt(store.sectionName, "SaveConfig", 0);
    return onDisk.Save(store.profilePath);
}

} // namespace

void LocateProfile(SettingsStore& store, const std::string& baseName) {
    std::string directory = ConfigDirectory();
    store.profilePath = directory + "/" + baseName + ".ini";
    store.customTablePath = directory + "/" + baseName + ".dqt";
}

void UseProfile(SettingsStore& store, const std::string& profilePath) {
    store.profilePath = profilePath;
    size_t slash = profilePath.rfind('/');
    size_t dot = profilePath.rfind('.');
    bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    store.customTablePath = (hasExtension ? profilePath.substr(0, dot) : profilePath) + ".dqt";
}

bool LoadSettings(SettingsStore& store) {
    store.profile.Load(store.profilePath);
    for (const SettingKey& key : SettingKeys()) {
        if (std::string(key.name) == "AllowExtSampling") continue; // read after the tables
        SetSettingFromText(
            store, key, store.profile.GetString(store.sectionName, key.name, SettingDefault(key)));
    }
    store.allowExtSampling = store.profile.GetInt(store.sectionName, "AllowExtSampling", 0);
    LoadZoomTable(store);
    LoadRecentFiles(store);
    LoadMemoryLimit(store);
    return true;
}

bool SaveSettings(SettingsStore& store) {
    if (!store.saveConfig) return RememberSavingOff(store);
    for (const char* name : SettingSaveOrder())
        WriteKey(store, name);
    WriteKey(store, "AllowExtSampling");
    SaveRecentFiles(store);
    return store.profile.Save(store.profilePath);
}

std::string TempDirectory(const SettingsStore& settings) {
    return settings.tempDir.empty() ? Platform().TempDirectory() : settings.tempDir;
}

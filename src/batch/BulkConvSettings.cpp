#include "batch/BulkConvSettings.h"

#include "base/StringTable.h"
#include "batch/BatchPaths.h"
#include "settings/SettingOverride.h"

#include <utility>

namespace {

struct Key {
    const char* name;
    int BulkConvSettings::*number;       // set for an integer key
    std::string BulkConvSettings::*text; // set for a string key
    int low = 0, high = 1;               // an integer key's range (most are flags)
    bool dialog = true;                  // false: read, but never written by the dialog
};

// In writing order; the keys the dialog does not know come last.
const Key kKeys[] = {
    {"SrcDirectory", nullptr, &BulkConvSettings::srcDirectory},
    {"DstDirectory", nullptr, &BulkConvSettings::dstDirectory},
    {"CreateLog", &BulkConvSettings::createLog, nullptr},
    {"LogFilePath", nullptr, &BulkConvSettings::logFilePath},
    {"SizeConvertMode", &BulkConvSettings::sizeConvertMode, nullptr, 0, 2},
    {"SizeAlignMode", &BulkConvSettings::sizeAlignMode, nullptr, 0, 2},
    {"SizeWidth", &BulkConvSettings::sizeWidth, nullptr, kBaseSizeLow, kBaseSizeHigh},
    {"SizeHeight", &BulkConvSettings::sizeHeight, nullptr, kBaseSizeLow, kBaseSizeHigh},
    {"NotEnlarge", &BulkConvSettings::notEnlarge, nullptr},
    {"ExtFilter", &BulkConvSettings::extFilter, nullptr},
    {"StrExtFilter", nullptr, &BulkConvSettings::strExtFilter},
    {"RecurseDir", &BulkConvSettings::recurseDir, nullptr},
    {"UsePngFormat", &BulkConvSettings::usePngFormat, nullptr},
    {"ExtThrough", &BulkConvSettings::extThrough, nullptr},
    {"AltIsOriginalSize", &BulkConvSettings::altIsOriginalSize, nullptr},
    {"KeepMetadata", &BulkConvSettings::keepMetadata, nullptr, 0, 1, false},
    {"FastShrink", &BulkConvSettings::fastShrink, nullptr, 0, 1, false},
};

void StoreKeys(const BulkConvSettings& settings, ProfileFile& profile, bool everyKey) {
    const std::string section = BulkConvSection();
    for (const Key& key : kKeys) {
        if (!key.dialog && !everyKey) continue;
        if (key.number)
            profile.WriteInt(section, key.name, settings.*key.number);
        else
            profile.WriteString(section, key.name, settings.*key.text);
    }
}

} // namespace

BulkConvSettings DefaultBulkConvSettings() {
    BulkConvSettings settings;
    settings.srcDirectory = settings.dstDirectory = HomeDirectory();
    settings.logFilePath = LogPathInFolder(HomeDirectory(), "blkcnv.htm");
    return settings;
}

BulkConvSettings LoadBulkConvSettings(const ProfileFile& profile) {
    BulkConvSettings settings = DefaultBulkConvSettings();
    const std::string section = BulkConvSection();
    for (const Key& key : kKeys) {
        if (key.number)
            settings.*key.number = profile.GetInt(section, key.name, settings.*key.number);
        else
            settings.*key.text = profile.GetString(section, key.name, settings.*key.text);
    }
    return settings;
}

void StoreBulkConvSettings(const BulkConvSettings& settings, ProfileFile& profile) {
    StoreKeys(settings, profile, false);
}

void StoreEveryBulkConvKey(const BulkConvSettings& settings, ProfileFile& profile) {
    StoreKeys(settings, profile, true);
}

bool SaveBulkConvSettings(const BulkConvSettings& settings, SettingsStore& store) {
    StoreBulkConvSettings(settings, store.profile);
    return store.profile.Save(store.profilePath);
}

std::string BulkConvSection() {
    return LoadString(StringId::BulkConvSection);
}

std::vector<std::string> BulkConvKeys() {
    std::vector<std::string> names;
    for (const Key& key : kKeys)
        names.push_back(key.name);
    return names;
}

void RegisterBulkConvKeys() {
    std::vector<std::pair<std::string, ValueRule>> keys;
    for (const Key& key : kKeys)
        keys.emplace_back(key.name, key.number ? WholeRule(key.low, key.high) : TextRule());
    RegisterSectionKeys(BulkConvSection(), keys);
}

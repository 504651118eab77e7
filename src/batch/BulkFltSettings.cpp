#include "batch/BulkFltSettings.h"

#include "base/StringTable.h"
#include "settings/SettingOverride.h"

#include <cstdlib>

namespace {

std::string HomeDirectory() {
    const char* home = std::getenv("HOME");
    return home && *home ? home : ".";
}

// A filter flag: a member of the options record, or one of its APPn flags.
struct FlagKey {
    std::string name;
    int32_t BulkFltOptions::*member;
    int app; // index into removeApp when member is null
    int32_t fallback;

    int32_t& Field(BulkFltOptions& options) const {
        return member ? options.*member : options.removeApp[app];
    }
};

// The filter flags in reading (and writing) order: the main dialog's, then the APPn codes'.
const std::vector<FlagKey>& FlagKeys() {
    using O = BulkFltOptions;
    static const std::vector<FlagKey> keys = [] {
        std::vector<FlagKey> list = {
            {"RemoveThumb", &O::removeThumb, 0, 1}, {"RemoveJFXX", &O::removeJfxx, 0, 1},
            {"RemoveAppX", &O::removeAppX, 0, 1},   {"UniteDQT", &O::uniteDqt, 0, 1},
            {"UniteDHT", &O::uniteDht, 0, 1},       {"RemoveCOM", &O::removeCom, 0, 0},
            {"ConvertExif", &O::convertExif, 0, 0}, {"ExifGenCmt", &O::exifGenCmt, 0, 1},
            {"ExifGenEng", &O::exifGenEng, 0, 0},   {"ExifUserCmt", &O::exifUserCmt, 0, 1},
        };
        for (int n = 0; n < kAppCodeCount; ++n)
            list.push_back({"RemoveAPP" + std::to_string(n + 1), nullptr, n, 1});
        return list;
    }();
    return keys;
}

} // namespace

std::string BulkFltSection() {
    return LoadString(StringId::BulkFilterSection);
}

BulkFltSettings LoadBulkFltSettings(const ProfileFile& profile) {
    const std::string section = BulkFltSection();
    const std::string home = HomeDirectory();
    BulkFltSettings settings;
    settings.srcDirectory = profile.GetString(section, "SrcDirectory", home);
    settings.dstDirectory = profile.GetString(section, "DstDirectory", home);
    settings.createLog = profile.GetInt(section, "CreateLog", 0);
    settings.logFilePath = profile.GetString(section, "LogFilePath", home + "/blkflt.htm");
    for (const FlagKey& key : FlagKeys())
        key.Field(settings.options) = profile.GetInt(section, key.name, key.fallback);
    settings.recurseDir = profile.GetInt(section, "RecurseDir", 0);
    settings.extFilter = profile.GetInt(section, "ExtFilter", 1);
    settings.strExtFilter = profile.GetString(section, "StrExtFilter", ".jpg;.jfif;.jpeg");
    return settings;
}

void StoreBulkFltSettings(const BulkFltSettings& settings, ProfileFile& profile) {
    const std::string section = BulkFltSection();
    BulkFltOptions options = settings.options;
    profile.WriteString(section, "SrcDirectory", settings.srcDirectory);
    profile.WriteString(section, "DstDirectory", settings.dstDirectory);
    profile.WriteInt(section, "CreateLog", settings.createLog);
    profile.WriteString(section, "LogFilePath", settings.logFilePath);
    for (const FlagKey& key : FlagKeys())
        profile.WriteInt(section, key.name, key.Field(options));
    profile.WriteInt(section, "ExtFilter", settings.extFilter);
    profile.WriteString(section, "StrExtFilter", settings.strExtFilter);
    profile.WriteInt(section, "RecurseDir", settings.recurseDir);
}

bool SaveBulkFltSettings(const BulkFltSettings& settings, SettingsStore& store) {
    StoreBulkFltSettings(settings, store.profile);
    return store.profile.Save(store.profilePath);
}

std::vector<std::string> BulkFltKeys() {
    std::vector<std::string> names = {"SrcDirectory", "DstDirectory", "CreateLog", "LogFilePath"};
    for (const FlagKey& key : FlagKeys())
        names.push_back(key.name);
    names.insert(names.end(), {"RecurseDir", "ExtFilter", "StrExtFilter"});
    return names;
}

void RegisterBulkFltKeys() {
    // Every integer key of the section is a flag.
    std::vector<std::pair<std::string, ValueRule>> keys;
    for (const std::string& name : BulkFltKeys()) {
        const bool text = name == "SrcDirectory" || name == "DstDirectory" ||
                          name == "LogFilePath" || name == "StrExtFilter";
        keys.emplace_back(name, text ? TextRule() : FlagRule());
    }
    RegisterSectionKeys(BulkFltSection(), keys);
}

// settings [--save] [--section NAME]: prints section "default" as Key=Value; --save writes the
// profile as the viewer does at exit: section "default" only, the batch sections as they are in
// the file. --section lists a section's keys with their defaults and meanings; with --save, that
// section alone is written, every key as listed, the rest of the file as it was.
#include "batch/BulkConvSettings.h"
#include "batch/BulkFltSettings.h"
#include "cli/CliCommand.h"
#include "cli/CliReports.h"
#include "cli/SettingMeanings.h"
#include "jpegtools/CustomTables.h"
#include "settings/SettingKeys.h"

#include <cerrno>
#include <cstdio>

namespace {

int SaveResult(const std::string& path, bool saved) {
    if (saved) return kExitOk;
    ReportCliFailure(path, "Save:Cannot write", errno);
    return kExitFailed;
}

int SaveDefaultSection(SettingsStore& settings) {
    // The run's --set overrides of batch keys live in the in-memory profile; the file's own
    // batch sections are what is written back.
    settings.profile = ProfileFile();
    settings.profile.Load(settings.profilePath);
    SaveCustomTables(settings);
    CliReports().BeginFile(settings.profilePath);
    return SaveResult(settings.profilePath, SaveSettings(settings));
}

// A batch section with the run's values (the file's, then --set), into the file as it is.
template <typename Settings>
int SaveBatchSection(const SettingsStore& settings, const Settings& current,
                     void (*store)(const Settings&, ProfileFile&)) {
    ProfileFile file;
    file.Load(settings.profilePath);
    store(current, file);
    CliReports().BeginFile(settings.profilePath);
    return SaveResult(settings.profilePath, file.Save(settings.profilePath));
}

int SaveSection(SettingsStore& settings, const std::string& section) {
    if (section == BulkConvSection())
        return SaveBatchSection(settings, LoadBulkConvSettings(settings.profile),
                                StoreEveryBulkConvKey);
    if (section == BulkFltSection())
        return SaveBatchSection(settings, LoadBulkFltSettings(settings.profile),
                                StoreBulkFltSettings);
    return SaveDefaultSection(settings);
}

// "Key=Value<TAB>default: D<TAB>meaning".
void PrintKey(const std::string& section, const std::string& key, const std::string& value,
              const std::string& fallback) {
    std::printf("%s=%s\tdefault: %s\t%s\n", key.c_str(), value.c_str(), fallback.c_str(),
                SettingMeaning(section, key).c_str());
}

void PrintDefaultSection(const SettingsStore& settings) {
    for (const SettingKey& key : SettingKeys())
        PrintKey("default", key.name, SettingText(settings, key), SettingDefault(key));
    for (int i = 0; i < kZoomCount; ++i)
        PrintKey("default", ZoomKeyName(i), std::to_string(settings.zoomTable[i]),
                 std::to_string(kDefaultZoomRates[i]));
}

// A batch section: its keys as the dialog stores them, now and with nothing stored.
template <typename Settings>
void PrintBatchSection(const std::string& section, const Settings& current,
                       const Settings& defaults, void (*store)(const Settings&, ProfileFile&)) {
    ProfileFile now, fresh;
    store(current, now);
    store(defaults, fresh);
    for (const std::string& key : fresh.Keys(section))
        PrintKey(section, key, now.GetString(section, key, ""), fresh.GetString(section, key, ""));
}

// False when the section has no such name.
bool PrintSection(const SettingsStore& settings, const std::string& section) {
    if (section == "default")
        PrintDefaultSection(settings);
    else if (section == BulkConvSection())
        PrintBatchSection(section, LoadBulkConvSettings(settings.profile),
                          LoadBulkConvSettings(ProfileFile()), StoreEveryBulkConvKey);
    else if (section == BulkFltSection())
        PrintBatchSection(section, LoadBulkFltSettings(settings.profile),
                          LoadBulkFltSettings(ProfileFile()), StoreBulkFltSettings);
    else
        return false;
    return true;
}

} // namespace

int RunSettingsCommand(SettingsStore& settings, const CliArgs& arguments) {
    CliArgs args = arguments;
    std::string section;
    bool hasSection = false;
    const bool save = TakeFlag(args, "--save");
    if (!TakeOption(args, "--section", section, hasSection)) return kExitUsage;
    if (!FinishOptions(args, "settings")) return kExitUsage;
    if (!args.empty()) return UsageError("settings: unexpected argument '" + args[0] + "'");
    if (hasSection) {
        if (!PrintSection(settings, section))
            return UsageError("settings: --section takes default, bulkconv or bulkfilter");
    } else {
        for (const SettingKey& key : SettingKeys())
            std::printf("%s=%s\n", key.name, SettingText(settings, key).c_str());
        for (int i = 0; i < kZoomCount; ++i)
            std::printf("%s=%d\n", ZoomKeyName(i).c_str(), settings.zoomTable[i]);
    }
    if (!save) return kExitOk;
    return hasSection ? SaveSection(settings, section) : SaveDefaultSection(settings);
}

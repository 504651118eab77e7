// settings [--save]: prints section "default" as Key=Value; --save writes the profile as the
// viewer does at exit: section "default" only, the batch sections as they are in the file.
#include "app/settings/SettingKeys.h"
#include "cli/CliCommand.h"
#include "cli/CliReports.h"
#include "jpegtools/CustomTables.h"

#include <cerrno>
#include <cstdio>

namespace {

int SaveDefaultSection(SettingsStore& settings) {
    // The run's --set overrides of batch keys live in the in-memory profile; the file's own
    // batch sections are what is written back.
    settings.profile = ProfileFile();
    settings.profile.Load(settings.profilePath);
    SaveCustomTables(settings);
    CliReports().BeginFile(settings.profilePath);
    if (SaveSettings(settings)) return kExitOk;
    ReportCliFailure(settings.profilePath, "Save:Cannot write", errno);
    return kExitFailed;
}

} // namespace

int RunSettingsCommand(SettingsStore& settings, const CliArgs& arguments) {
    CliArgs args = arguments;
    bool save = TakeFlag(args, "--save");
    if (!FinishOptions(args, "settings")) return kExitUsage;
    if (!args.empty()) return UsageError("settings: unexpected argument '" + args[0] + "'");
    for (const SettingKey& key : SettingKeys())
        std::printf("%s=%s\n", key.name, SettingText(settings, key).c_str());
    for (int i = 0; i < kZoomCount; ++i)
        std::printf("%s=%d\n", ZoomKeyName(i).c_str(), settings.zoomTable[i]);
    return save ? SaveDefaultSection(settings) : kExitOk;
}

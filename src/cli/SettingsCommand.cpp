// settings [--save]: prints section "default" as Key=Value; --save writes the profile.
#include "app/settings/SettingKeys.h"
#include "cli/CliCommand.h"
#include "jpegtools/CustomTables.h"

#include <cstdio>

int RunSettingsCommand(SettingsStore& settings, const CliArgs& arguments) {
    CliArgs args = arguments;
    bool save = TakeFlag(args, "--save");
    if (!args.empty()) return UsageError("settings: unexpected argument '" + args[0] + "'");
    for (const SettingKey& key : SettingKeys())
        std::printf("%s=%s\n", key.name, SettingText(settings, key).c_str());
    for (int i = 0; i < kZoomCount; ++i)
        std::printf("%s=%d\n", ZoomKeyName(i).c_str(), settings.zoomTable[i]);
    if (save) SaveCustomTables(settings);
    if (save && !SaveSettings(settings)) {
        std::fprintf(stderr, "Save:%s\n%s\n", "Cannot write", settings.profilePath.c_str());
        return kExitFailed;
    }
    return kExitOk;
}

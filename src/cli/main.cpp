// tolmena-cli: the headless front end over the same logic as the viewer.
#include "app/settings/SettingOverride.h"
#include "batch/BulkConvSettings.h"
#include "batch/BulkFltSettings.h"
#include "cli/CliCommand.h"
#include "jpegtools/CustomTables.h"
#include "jpegtools/DefaultComment.h"
#include "platform/HeadlessPlatform.h"

#include <csignal>
#include <cstdio>
#include <cstring>

namespace {

void PrintHelp() {
    std::printf("Usage: tolmena-cli [--profile FILE] [--set KEY=VALUE]... COMMAND [ARGS]\n"
                "       tolmena-cli --help | --version\n\nCommands:\n");
    for (const CliCommand& command : CliCommands())
        std::printf("  %s\n", command.synopsis);
    std::printf("\nSettings come from the profile (~/.config/tolmena/tolmena.ini unless --profile\n"
                "names another), then from each --set. Exit status: 0 success, 1 failure,\n"
                "2 usage error.\n");
}

const CliCommand* FindCommand(const std::string& name) {
    for (const CliCommand& command : CliCommands())
        if (name == command.name) return &command;
    return nullptr;
}

} // namespace

int main(int argc, char** argv) {
    Headless().SetEchoToStderr(true);
    // A write past the file size limit fails and is reported like a full disk.
    std::signal(SIGXFSZ, SIG_IGN);
    CliArgs args(argv + 1, argv + argc);
    if (args.empty()) return UsageError("no command given");
    if (args[0] == "--help" || args[0] == "-h") {
        PrintHelp();
        return kExitOk;
    }
    if (args[0] == "--version") {
        std::printf("tolmena-cli %s\n", TOLMENA_VERSION);
        return kExitOk;
    }

    SettingsStore& settings = AppSettings();
    LocateProfile(settings, "tolmena");
    std::vector<std::string> overrides;
    size_t i = 0;
    for (; i < args.size() && args[i].rfind("--", 0) == 0; i += 2) {
        if (i + 1 >= args.size()) return UsageError(args[i] + " needs a value");
        if (args[i] == "--profile")
            UseProfile(settings, args[i + 1]);
        else if (args[i] == "--set")
            overrides.push_back(args[i + 1]);
        else
            return UsageError("unknown option '" + args[i] + "'");
    }
    if (i >= args.size()) return UsageError("no command given");
    const CliCommand* command = FindCommand(args[i]);
    if (!command) return UsageError("unknown command '" + args[i] + "'");

    LoadSettings(settings);
    LoadCustomTables(settings);
    RegisterBulkConvKeys();
    RegisterBulkFltKeys();
    for (const std::string& assignment : overrides) {
        std::string error;
        if (!ApplySettingOverride(settings, assignment, error)) return UsageError(error);
    }
    LoadDefaultComment(settings, settings.defaultCommentPath);
    return command->run(settings, CliArgs(args.begin() + static_cast<long>(i) + 1, args.end()));
}

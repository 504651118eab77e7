// tolmena-cli: the headless front end over the same logic as the viewer.
#include "base/HeadlessPlatform.h"
#include "batch/BulkConvSettings.h"
#include "batch/BulkFltSettings.h"
#include "cli/CliCommand.h"
#include "cli/CliOptions.h"
#include "cli/CliReports.h"
#include "jpegtools/CustomTables.h"
#include "jpegtools/DefaultComment.h"
#include "settings/SettingOverride.h"

#include <algorithm>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <sys/stat.h>

namespace {

void PrintHelp() {
    std::printf(
        "Usage: tolmena-cli [-q] [-v] [--profile FILE] [--set KEY=VALUE]... COMMAND [ARGS]\n"
        "       tolmena-cli --help | --version | COMMAND --help\n\nCommands:\n");
    for (const CliCommand& command : CliCommands())
        std::printf("  %s\n", command.synopsis);
    std::printf(
        "\nSettings come from the profile (~/.config/tolmena/tolmena.ini unless --profile\n"
        "names another), then from each --set, for this run only. \"--\" ends the options;\n"
        "--name=VALUE is --name VALUE. -q/--quiet: no progress and no summary (failures are\n"
        "still reported). -v/--verbose: convert prints the written file's description.\n"
        "Exit status: 0 success, 1 failure, 2 usage error, 130 interrupted.\n");
}

// The global options before the command.
struct GlobalOptions {
    std::string profile;
    std::vector<std::string> overrides;
    size_t commandIndex = 0;
};

// False after a usage message.
bool ParseGlobalOptions(const CliArgs& args, GlobalOptions& options) {
    size_t i = 0;
    while (i < args.size() && args[i].size() > 1 && args[i][0] == '-') {
        const std::string& option = args[i++];
        if (option == "--") break;
        if (option == "-q" || option == "--quiet" || option == "-v" || option == "--verbose") {
            CliArgs flag{option};
            TakeOutputOptions(flag);
            continue;
        }
        if (option != "--profile" && option != "--set") {
            UsageError("unknown option '" + option + "'");
            return false;
        }
        if (i >= args.size()) {
            UsageError(option + " needs a value");
            return false;
        }
        if (option == "--profile")
            options.profile = args[i++];
        else
            options.overrides.push_back(args[i++]);
    }
    options.commandIndex = i;
    if (i < args.size()) return true;
    UsageError("no command given");
    return false;
}

// "settings --save" creates the profile it names; every other command needs it to exist.
bool ProfileIsUsable(const std::string& profile, const std::string& command, const CliArgs& rest) {
    struct stat info {};
    if (profile.empty() || (stat(profile.c_str(), &info) == 0 && S_ISREG(info.st_mode)))
        return true;
    const auto end = std::find(rest.begin(), rest.end(), "--");
    return command == "settings" && std::find(rest.begin(), end, "--save") != end;
}

// The first argument that is not -q or -v, which may come before --help and --version too.
std::string FirstWord(const CliArgs& args) {
    for (const std::string& arg : args)
        if (arg != "-q" && arg != "--quiet" && arg != "-v" && arg != "--verbose") return arg;
    return {};
}

bool AsksForHelp(const CliArgs& rest) {
    const auto end = std::find(rest.begin(), rest.end(), "--");
    return std::find(rest.begin(), end, "--help") != end ||
           std::find(rest.begin(), end, "-h") != end;
}

} // namespace

int main(int argc, char** argv) {
    // System reasons (strerror) in the user's language; numbers stay in the C locale.
    std::setlocale(LC_MESSAGES, "");
    Headless().SetEchoToStderr(true);
    SetDefaultReportSink(&CliReports());
    // A write past the file size limit fails and is reported like a full disk.
    std::signal(SIGXFSZ, SIG_IGN);
    CliArgs args = NormaliseOptions(CliArgs(argv + 1, argv + argc));
    if (args.empty()) return UsageError("no command given");
    const std::string first = FirstWord(args);
    if (first == "--help" || first == "-h") {
        PrintHelp();
        return kExitOk;
    }
    if (first == "--version") {
        std::printf("tolmena-cli %s\n", TOLMENA_VERSION);
        return kExitOk;
    }

    GlobalOptions options;
    if (!ParseGlobalOptions(args, options)) return kExitUsage;
    const std::string& name = args[options.commandIndex];
    const CliCommand* command = FindCommand(name);
    if (!command) return UsageError("unknown command '" + name + "'");
    CliArgs rest(args.begin() + static_cast<long>(options.commandIndex) + 1, args.end());
    TakeOutputOptions(rest);
    if (AsksForHelp(rest)) {
        PrintCommandHelp(*command);
        return kExitOk;
    }
    if (!ProfileIsUsable(options.profile, name, rest))
        return UsageError("--profile: no profile file '" + options.profile + "'");

    SettingsStore& settings = AppSettings();
    LocateProfile(settings, "tolmena");
    if (!options.profile.empty()) UseProfile(settings, options.profile);
    LoadSettings(settings);
    LoadCustomTables(settings);
    RegisterBulkConvKeys();
    RegisterBulkFltKeys();
    for (const std::string& assignment : options.overrides) {
        std::string error;
        if (!ApplySettingOverride(settings, assignment, error)) return UsageError(error);
    }
    LoadDefaultComment(settings, settings.defaultCommentPath);
    return command->run(settings, rest);
}

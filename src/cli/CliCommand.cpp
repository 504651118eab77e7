#include "cli/CliCommand.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

const std::vector<CliCommand>& CliCommands() {
    static const std::vector<CliCommand> commands = {
        {"settings", "settings [--save]", RunSettingsCommand},
        {"dqt", "dqt [--quality N] [--load FILE] [--save FILE]", RunDqtCommand},
        {"text", "text [--from CODE] [--to CODE] [--detect] FILE", RunTextCommand},
        {"describe", "describe FILE...", RunDescribeCommand},
        {"info", "info FILE...", RunInfoCommand},
        {"convert", "convert [-v] IN OUT", RunConvertCommand},
        {"exif", "exif [--english] FILE", RunExifCommand},
        {"jpeg", "jpeg IN OUT", RunJpegCommand},
    };
    return commands;
}

int UsageError(const std::string& message) {
    std::fprintf(stderr, "tolmena-cli: %s\nTry 'tolmena-cli --help'.\n", message.c_str());
    return kExitUsage;
}

bool TakeOption(CliArgs& args, const std::string& name, std::string& value, bool& present) {
    auto found = std::find(args.begin(), args.end(), name);
    if (found == args.end()) return true;
    if (std::next(found) == args.end()) {
        UsageError(name + " needs a value");
        return false;
    }
    value = *std::next(found);
    present = true;
    args.erase(found, found + 2);
    return true;
}

bool TakeFlag(CliArgs& args, const std::string& name) {
    auto found = std::find(args.begin(), args.end(), name);
    if (found == args.end()) return false;
    args.erase(found);
    return true;
}

bool ReadWholeFile(const std::string& path, std::string& bytes, size_t maxBytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(maxBytes, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(maxBytes));
    bytes.resize(static_cast<size_t>(in.gcount()));
    return !in.bad();
}

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
        {"resize", "resize IN OUT WIDTHxHEIGHT", RunResizeCommand},
        {"gamma", "gamma IN OUT [--gamma G] [--contrast C] [--bias B]", RunGammaCommand},
        {"ycbcr", "ycbcr IN OUTBASE", RunYCbCrCommand},
        {"exif", "exif [--english] FILE", RunExifCommand},
        {"markers", "markers [--hex] FILE", RunMarkersCommand},
        {"jpeg", "jpeg IN OUT", RunJpegCommand},
        {"batch-convert", "batch-convert SRC DST", RunBatchConvertCommand},
        {"filter", "filter SRC DST", RunFilterCommand},
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
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return false;
    // Size the buffer by the file, not by the limit; a stream without a size reads in chunks.
    const std::streamoff size = in.tellg();
    in.seekg(0);
    bytes.clear();
    if (size > 0) bytes.reserve(std::min(static_cast<size_t>(size), maxBytes));
    char chunk[65536];
    while (bytes.size() < maxBytes && in.read(chunk, sizeof chunk).gcount() > 0)
        bytes.append(chunk, std::min(static_cast<size_t>(in.gcount()), maxBytes - bytes.size()));
    return !in.bad();
}

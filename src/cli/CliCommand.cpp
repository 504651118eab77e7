#include "cli/CliCommand.h"

#include "base/FileHandle.h"
#include "cli/CliMessages.h"

#include <algorithm>
#include <cstdio>
#include <sys/stat.h>

// What the two batch commands share, at the end of their help.
#define BATCH_OPTIONS_HELP                                                                          \
    "DST is made, with its parents, when missing. --dry-run: lists \"SOURCE → OUTPUT\" per file " \
    "and changes nothing. --log FILE: writes the HTML log there (default, when the section asks "   \
    "for one: its file name in DST)."

const std::vector<CliCommand>& CliCommands() {
    static const std::vector<CliCommand> commands = {
        {"settings", "settings [--save] [--section default|bulkconv|bulkfilter]",
         RunSettingsCommand,
         "Prints the settings of a section as Key=Value; --save writes section \"default\" to the "
         "profile as the viewer does at exit, or with --section the section named, every key as "
         "listed."},
        {"dqt", "dqt [--quality N] [--load FILE] [--save FILE]", RunDqtCommand,
         "Makes (or loads) a quantization table pair and prints it with its Qf figures."},
        {"text", "text [--from CODE] [--to CODE] [--detect] FILE", RunTextCommand,
         "Detects the charset of a comment text file, or converts its bytes."},
        {"describe", "describe [--json] FILE...", RunDescribeCommand,
         "Prints each file's format description as the status bar shows it."},
        {"info", "info [--json] FILE...", RunInfoCommand,
         "Prints each file's description, size, comments, charset and Exif summary."},
        {"convert",
         "convert [-v] [--in-place] [--keep-metadata] [--quality N] [--sampling S] "
         "[--progressive|--baseline] IN OUT",
         RunConvertCommand,
         "Opens IN and saves it as OUT, the format chosen by OUT's extension. --quality, "
         "--sampling (4:4:4, 4:2:2, 4:2:0, 4:4:0, gray), --progressive and --baseline set "
         "Param1, Param2 and Param3 for a JPEG OUT."},
        {"resize", "resize [--in-place] IN OUT WIDTHxHEIGHT", RunResizeCommand,
         "Opens IN, scales its picture to WIDTHxHEIGHT and saves it as OUT."},
        {"gamma", "gamma [--in-place] IN OUT [--gamma G] [--contrast C] [--bias B]",
         RunGammaCommand,
         "Applies the gamma (0.01 to 4.99), contrast and bias (-255 to 255) transfer."},
        {"ycbcr", "ycbcr IN OUTBASE", RunYCbCrCommand,
         "Writes the Y, Cb and Cr planes of IN as OUTBASE[Y].bmp, OUTBASE[Cb].bmp, "
         "OUTBASE[Cr].bmp."},
        {"exif", "exif [--english] [--json] FILE...", RunExifCommand,
         "Prints the five Exif summary lines of each JPEG or TIFF file."},
        {"markers", "markers [--hex] [--json] FILE...", RunMarkersCommand,
         "Prints the marker (JPEG) or chunk (PNG) tree of each file; exits 1 on a PNG CRC error."},
        {"jpeg",
         "jpeg [--in-place] [--keep-metadata] [--quality N] [--sampling S] "
         "[--progressive|--baseline] IN OUT",
         RunJpegCommand,
         "Writes OUT as the JPEG conversion does and prints the conversion label. --quality, "
         "--sampling (4:4:4, 4:2:2, 4:2:0, 4:4:0, gray), --progressive and --baseline set "
         "Param1, Param2 and Param3."},
        {"batch-convert", "batch-convert [-j N] [-r] [--fast] [--dry-run] [--log FILE] SRC DST",
         RunBatchConvertCommand,
         "Converts the files of a tree with the settings of section \"bulkconv\"; a source is "
         "never written over. -j N: files converted at once (default: one per processor). -r: walk "
         "subfolders (bulkconv.RecurseDir=1). --fast: "
         "JPEG sources at least twice the target size are decoded at a reduced scale first "
         "(faster, not byte-identical). " BATCH_OPTIONS_HELP},
        {"filter", "filter [-j N] [-r] [--in-place] [--dry-run] [--log FILE] SRC DST",
         RunFilterCommand,
         "Filters the JPEG files of a tree with the settings of section \"bulkfilter\". -j N: "
         "files filtered at once (default: one per processor). -r: walk subfolders "
         "(bulkfilter.RecurseDir=1). --in-place: SRC and DST may be one folder, whose files are "
         "then rewritten. " BATCH_OPTIONS_HELP},
    };
    return commands;
}

const CliCommand* FindCommand(const std::string& name) {
    for (const CliCommand& command : CliCommands())
        if (name == command.name) return &command;
    return nullptr;
}

void PrintCommandHelp(const CliCommand& command) {
    std::printf("Usage: tolmena-cli [--profile FILE] [--set KEY=VALUE]... %s\n\n%s\n",
                command.synopsis, command.summary);
}

int UsageError(const std::string& message) {
    const std::string line = "tolmena-cli: " + message + "; try 'tolmena-cli --help'";
    std::fprintf(stderr, "%s\n", Localized(line).c_str());
    return kExitUsage;
}

namespace {

// The options part of the arguments: everything before a "--".
CliArgs::iterator OptionsEnd(CliArgs& args) {
    return std::find(args.begin(), args.end(), "--");
}

} // namespace

bool TakeOption(CliArgs& args, const std::string& name, std::string& value, bool& present) {
    const auto end = OptionsEnd(args);
    auto found = std::find(args.begin(), end, name);
    if (found == end) return true;
    if (std::next(found) == end) {
        UsageError(name + " needs a value");
        return false;
    }
    value = *std::next(found);
    present = true;
    args.erase(found, found + 2);
    return true;
}

bool TakeFlag(CliArgs& args, const std::string& name) {
    const auto end = OptionsEnd(args);
    auto found = std::find(args.begin(), end, name);
    if (found == end) return false;
    args.erase(found);
    return true;
}

bool FinishOptions(CliArgs& args, const std::string& command) {
    const auto end = OptionsEnd(args);
    auto option = std::find_if(
        args.begin(), end, [](const std::string& arg) { return arg.size() > 1 && arg[0] == '-'; });
    if (option != end) {
        UsageError(command + ": unknown option '" + *option + "'");
        return false;
    }
    if (end != args.end()) args.erase(end);
    return true;
}

bool IsSameFile(const std::string& first, const std::string& second) {
    struct stat one {
    }, other{};
    return stat(first.c_str(), &one) == 0 && stat(second.c_str(), &other) == 0 &&
           one.st_dev == other.st_dev && one.st_ino == other.st_ino;
}

bool AllowsOverwrite(const std::string& command, const CliArgs& args, bool inPlace) {
    if (inPlace || args.size() < 2 || !IsSameFile(args[0], args[1])) return true;
    UsageError(command + ": OUT is the file IN; give --in-place to replace it");
    return false;
}

bool ReadWholeFile(const std::string& path, std::string& bytes, size_t maxBytes) {
    // A FIFO or device is refused rather than waited on.
    FileHandle file = FileHandle::Open(path, "rb");
    if (!file) return false;
    // Size the buffer by the file, not by the limit.
    struct stat info {};
    bytes.clear();
    if (fstat(fileno(file.get()), &info) == 0 && info.st_size > 0)
        bytes.reserve(std::min(static_cast<size_t>(info.st_size), maxBytes));
    char chunk[65536];
    size_t got = 0;
    while (bytes.size() < maxBytes && (got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0)
        bytes.append(chunk, std::min(got, maxBytes - bytes.size()));
    return !std::ferror(file.get());
}

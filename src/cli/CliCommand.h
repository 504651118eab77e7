#pragma once
// The command-line front end's commands: each takes its arguments and returns the exit status
// (0 success, 1 the operation failed, 2 usage error).
#include "settings/SettingsStore.h"

#include <functional>
#include <string>
#include <vector>

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

constexpr int kExitInterrupted = 130;

using CliArgs = std::vector<std::string>;

struct CliCommand {
    const char* name;
    const char* synopsis;
    int (*run)(SettingsStore& settings, const CliArgs& args);
    const char* summary; // what the command does, for its --help
};

const std::vector<CliCommand>& CliCommands();
const CliCommand* FindCommand(const std::string& name);
// "COMMAND --help": the command's usage and what it does.
void PrintCommandHelp(const CliCommand& command);

// Prints "tolmena-cli: message; try 'tolmena-cli --help'" to stderr; returns kExitUsage.
int UsageError(const std::string& message);

// Pulls "--name VALUE" out of args, before a "--"; false (after a usage message) when VALUE is
// missing.
bool TakeOption(CliArgs& args, const std::string& name, std::string& value, bool& present);
// Pulls a bare "--name" flag out of args, before a "--".
bool TakeFlag(CliArgs& args, const std::string& name);
// After the options were taken: an argument before "--" that still starts with "-" is an
// unknown option (false after a usage message); the "--" itself is dropped.
bool FinishOptions(CliArgs& args, const std::string& command);
// Whether two paths name one file on disk (false when either does not exist).
bool IsSameFile(const std::string& first, const std::string& second);
// OUT naming the file IN is replaced only with --in-place; false after a usage message.
bool AllowsOverwrite(const std::string& command, const CliArgs& args, bool inPlace);
// Reads a whole file (at most maxBytes); false when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string& bytes, size_t maxBytes);

class CImageDoc;
class CDocTemplate;
// Opens a file as a document of the template; a failure the readers left unreported (a file
// type without a reader) is reported here. Null on failure.
CImageDoc* OpenImageDocument(CDocTemplate& documents, const std::string& command,
                             const std::string& path);
// Saves a document by the path's extension; a failure the writers left unreported (a file type
// without a writer) is reported here.
bool SaveImageDocument(CImageDoc& document, const std::string& command, const std::string& path);
// Opens each file as a document in turn and hands it to show; a file that fails is reported
// and skipped. Returns kExitFailed when any file failed.
int ForEachImageDocument(const CliArgs& paths, const std::string& command,
                         const std::function<void(const std::string&, CImageDoc&)>& show);
// Reports made so far, by the readers and writers or by the platform.
size_t ReportsSoFar();
// Reports a file whose type no reader or writer takes, unless a report was made since the
// given count.
void ReportUnknownType(const std::string& command, const std::string& path, size_t reportedBefore);

// --keep-metadata: IN's Exif and ICC segments when IN is a JPEG, WebP, HEIF/AVIF or JPEG XL
// file (read before OUT may replace it), put into OUT after it was written when OUT is a JPEG
// file; false after a report.
std::vector<std::string> SourceMetadata(bool keep, const std::string& in);
bool KeepMetadata(const std::string& command, const std::vector<std::string>& metadata,
                  const std::string& out);

class IBatchTask;
// The command line of a batch command: "[-j N] [--dry-run] [--log FILE] SRC DST".
struct CliBatchRun {
    std::string source, destination;
    int workers = 1;
    bool dryRun = false;
    bool inPlace = false; // --in-place, taken only where the command allows it
    std::string log;      // --log FILE: the HTML log is written there
};
// Pulls the batch options and SRC DST out of args; false after a usage message.
bool TakeBatchRun(CliArgs& args, const std::string& command, bool allowInPlace, CliBatchRun& run);
// Where the HTML log goes: FILE of --log (which asks for a log), else the section's file name in
// DST, so that the log's links resolve.
std::string BatchLogPath(const CliBatchRun& run, const std::string& sectionLogPath);
template <typename Section> void PlaceBatchLog(const CliBatchRun& run, Section& section) {
    if (!run.log.empty()) section.createLog = 1;
    section.logFilePath = BatchLogPath(run, section.logFilePath);
}
// Runs a batch command with its settings as given, progress on a terminal's stderr and Ctrl+C
// as the abort; prints the summary line, and a second one saying how many files failed
// (neither progress nor summary with -q). DST is made first, with its parents. With --dry-run,
// prints "source → output" per file instead and changes nothing. 0 when every file found was
// handled without error; a run ended by Ctrl+C returns kExitInterrupted.
int RunCliBatch(IBatchTask& task, const CliBatchRun& run);
// Pulls "-j N" or "--jobs N" (files processed at once, 1-256) out of args; without it, the
// number of online processors. False after a usage message.
bool TakeWorkersOption(CliArgs& args, int& workers);
// Pulls "-r" or "--recursive" (walk subfolders: the section's RecurseDir=1) out of args.
bool TakeRecursiveOption(CliArgs& args);

int RunSettingsCommand(SettingsStore& settings, const CliArgs& args);
int RunDqtCommand(SettingsStore& settings, const CliArgs& args);
int RunTextCommand(SettingsStore& settings, const CliArgs& args);
int RunDescribeCommand(SettingsStore& settings, const CliArgs& args);
int RunInfoCommand(SettingsStore& settings, const CliArgs& args);
int RunConvertCommand(SettingsStore& settings, const CliArgs& args);
int RunResizeCommand(SettingsStore& settings, const CliArgs& args);
int RunGammaCommand(SettingsStore& settings, const CliArgs& args);
int RunYCbCrCommand(SettingsStore& settings, const CliArgs& args);
int RunExifCommand(SettingsStore& settings, const CliArgs& args);
int RunMarkersCommand(SettingsStore& settings, const CliArgs& args);
int RunJpegCommand(SettingsStore& settings, const CliArgs& args);
int RunBatchConvertCommand(SettingsStore& settings, const CliArgs& args);
int RunFilterCommand(SettingsStore& settings, const CliArgs& args);

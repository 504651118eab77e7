#pragma once
// The option spellings users write, brought to the ones the commands take, and the output
// options every command shares.
#include "cli/CliCommand.h"

#include <initializer_list>

// Up to a "--": "--name=value" becomes "--name" "value" and "-j4" becomes "-j" "4".
CliArgs NormaliseOptions(const CliArgs& args);

// Pulls any of the names (a short and a long spelling) out of args, before a "--".
bool TakeAnyFlag(CliArgs& args, std::initializer_list<const char*> names);

struct CliOutputMode {
    bool quiet = false;   // -q/--quiet: no progress and no summary; failures are still reported
    bool verbose = false; // -v/--verbose: convert prints the written file's description
};
CliOutputMode& OutputMode();
// Takes -q/--quiet and -v/--verbose out of a command's arguments into OutputMode().
void TakeOutputOptions(CliArgs& args);

// The JPEG settings users change most, as a command's own options: --quality N (Param1),
// --sampling 4:2:0 (Param2; also 4:4:4, 4:2:2, 4:4:0, gray or the status bar's 1:1, 2:1, 4:1,
// 1:2, B/W), --progressive and --baseline (Param3). False after a usage message.
bool TakeJpegOptions(CliArgs& args, SettingsStore& settings, const std::string& command);

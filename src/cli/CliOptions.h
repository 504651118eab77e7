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

#pragma once
// Runs a batch command from the command line.
#include "batch/BatchJob.h"

// The run without a settings dialog (the task's settings come from the profile and --set),
// with progress on stderr when it is a terminal and Ctrl+C as the abort button; the summary
// line goes to stdout. Returns the exit status: 0 when every file found was handled, 1 when the
// run was cancelled, could not start, or a file failed.
int RunCliBatch(IBatchTask& task);

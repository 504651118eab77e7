#pragma once
// A batch command's run in the GUI, after its settings dialog was closed with OK: the progress
// window centred over the main window, the main window disabled until the summary has been
// shown, the same job as the command line runs.
#include "batch/BatchCommand.h"

class QWidget;

// Runs the task; mainWindow (may be null) is disabled meanwhile.
BatchResult RunGuiBatch(IBatchTask& task, QWidget* mainWindow);

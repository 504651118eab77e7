#pragma once
// A batch command's run in the GUI, after its settings dialog was closed with OK: the progress
// window centred over the main window, the main window disabled until the summary has been
// shown, the same job as the command line runs.
#include "batch/BatchCommand.h"

class QWidget;

// Runs the task; mainWindow (may be null) is disabled meanwhile.
BatchResult RunGuiBatch(IBatchTask& task, QWidget* mainWindow);

// The main window's batch runs: one job at a time, run inside a command while the main window
// is disabled, so that the window can tell whether one runs and stop it.
class CBatchRunner {
public:
    explicit CBatchRunner(QWidget& mainWindow) : mainWindow_(mainWindow) {}

    void Run(IBatchTask& task);
    bool Running() const { return running_; }
    // Stops a running job as its abort button does.
    void Abort();

private:
    QWidget& mainWindow_;
    bool running_ = false;
};

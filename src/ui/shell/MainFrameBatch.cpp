// The main frame's batch commands: batch conversion and batch filter. Each opens its settings
// dialog and, on OK, runs the job with the progress window while the main window refuses input
// and closing.
#include "batch/ConversionTask.h"
#include "batch/FilterTask.h"
#include "shell/CommandId.h"
#include "ui/batch/BulkConvDialog.h"
#include "ui/batch/BulkFltDialog.h"
#include "ui/batch/GuiBatchRun.h"
#include "ui/batch/ProgressWindow.h"
#include "ui/shell/MainFrame.h"
#include "ui/shell/PngSaveDialog.h"

#include <QApplication>

void CMainFrame::RunBatch(IBatchTask& task) {
    batchRunning_ = true;
    RunGuiBatch(task, this);
    batchRunning_ = false;
}

void CMainFrame::AbortBatch() {
    if (!batchRunning_) return;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* progress = qobject_cast<CProgressWindow*>(window)) progress->reject();
}

void CMainFrame::ConnectBatchCommands() {
    SetCommandHandler(ID_BATCH_CONVERT, [this] {
        CBulkConvDialog dialog(settings_, this);
        dialog.SetPngSettingsHook(
            [this](QWidget* owner) { EditPngSaveOptions(owner, settings_, nullptr); });
        if (dialog.exec() != QDialog::Accepted) return;
        CConversionTask task(dialog.Settings(), documents_);
        RunBatch(task);
    });
    SetCommandHandler(ID_BATCH_FILTER, [this] {
        CBulkFltDialog dialog(settings_, this);
        if (dialog.exec() != QDialog::Accepted) return;
        CFilterTask task(settings_, dialog.Settings());
        RunBatch(task);
    });
}

// The batch commands: batch conversion and batch filter. Each opens its settings dialog and, on
// OK, runs the job with the progress window while the main window refuses input and closing.
#include "batch/ConversionTask.h"
#include "batch/FilterTask.h"
#include "shell/CommandId.h"
#include "ui/batch/BulkConvDialog.h"
#include "ui/batch/BulkFltDialog.h"
#include "ui/batch/GuiBatchRun.h"
#include "ui/shell/CommandGroups.h"
#include "ui/shell/PngSaveDialog.h"

// The handlers keep the context and the runner: both outlive them.
void RegisterBatchCommands(CCommandBinder& binder, const CommandContext& context,
                           CBatchRunner& runner) {
    binder.Bind(ID_BATCH_CONVERT, [context, &runner] {
        CBulkConvDialog dialog(context.settings, context.window.DialogParent());
        dialog.SetPngSettingsHook(
            [context](QWidget* owner) { EditPngSaveOptions(owner, context.settings, nullptr); });
        if (dialog.exec() != QDialog::Accepted) return;
        CConversionTask task(dialog.Settings(), context.documents);
        runner.Run(task);
    });
    binder.Bind(ID_BATCH_FILTER, [context, &runner] {
        CBulkFltDialog dialog(context.settings, context.window.DialogParent());
        if (dialog.exec() != QDialog::Accepted) return;
        CFilterTask task(context.settings, dialog.Settings());
        runner.Run(task);
    });
}

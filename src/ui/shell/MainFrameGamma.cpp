// The main frame's gamma / brightness command: the dialog on the active document, and on OK the
// transfer applied to the document's picture.
#include "imageops/GammaDocument.h"
#include "shell/CommandId.h"
#include "ui/imageops/GammaDialog.h"
#include "ui/shell/MainFrame.h"

void CMainFrame::ConnectGammaCommands() {
    SetCommandHandler(ID_GAMMA, [this] {
        CImageDoc* document = ActiveDocument();
        if (!document) return;
        CGammaDialog dialog(*document, this);
        if (dialog.exec() != QDialog::Accepted) return;
        ApplyGamma(*document, dialog.Model().GammaTable(), dialog.Model().LevelTable());
        ShowActiveDocument(); // the status pane shows "Modified Image"
    });
}

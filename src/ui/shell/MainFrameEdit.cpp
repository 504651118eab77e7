// The main frame's editing commands on the active document: the comment editor and the resize
// with its size dialog.
#include "core/ImageDoc.h"
#include "imageops/ResizeDocument.h"
#include "shell/CommandId.h"
#include "ui/imageops/SizeDialog.h"
#include "ui/jpegtools/CommentEditor.h"
#include "ui/shell/MainFrame.h"

namespace {

// After OK the document takes the edited list (its current item chosen again by key), is
// marked modified and includes its comments.
void EditComments(CImageDoc& document, QWidget* parent) {
    CCommentEditor editor(document.Comments(), document.CurrentComment(), parent);
    if (editor.exec() != QDialog::Accepted) return;
    document.ReplaceComments(editor.EditedComments());
    document.SetIncludeComment(true);
    document.SetModifiedMark(true);
}

void ResizeImage(CImageDoc& document, QWidget* parent) {
    CSizeDialog dialog(static_cast<uint32_t>(document.ImageWidth()),
                       static_cast<uint32_t>(document.ImageHeight()), parent);
    if (dialog.exec() == QDialog::Accepted)
        ResizeCommand(document, dialog.ChosenWidth(), dialog.ChosenHeight());
}

} // namespace

void CMainFrame::ConnectEditCommands() {
    // The control bar and the status pane follow what the command changed.
    auto onDocument = [this](void (*command)(CImageDoc&, QWidget*)) {
        return [this, command] {
            if (CImageDoc* document = ActiveDocument()) command(*document, this);
            ShowActiveDocument();
        };
    };
    SetCommandHandler(ID_COMMENT_EDIT, onDocument(EditComments));
    SetCommandHandler(ID_RESIZE, onDocument(ResizeImage));
}

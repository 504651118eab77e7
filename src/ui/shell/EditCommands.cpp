// The editing commands on the active document: the comments (editor and the include flag), the
// resize with its size dialog, and the gamma / brightness dialog.
#include "core/ImageDoc.h"
#include "imageops/GammaDocument.h"
#include "imageops/ResizeDocument.h"
#include "shell/CommandId.h"
#include "ui/imageops/GammaDialog.h"
#include "ui/imageops/SizeDialog.h"
#include "ui/jpegtools/CommentEditor.h"
#include "ui/shell/CommandGroups.h"

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

void ToggleComment(CImageDoc& document, QWidget*) {
    document.SetIncludeComment(!document.IncludesComment());
}

void ResizeImage(CImageDoc& document, QWidget* parent) {
    CSizeDialog dialog(static_cast<uint32_t>(document.ImageWidth()),
                       static_cast<uint32_t>(document.ImageHeight()), parent);
    if (dialog.exec() == QDialog::Accepted)
        ResizeCommand(document, dialog.ChosenWidth(), dialog.ChosenHeight());
}

// On OK the transfer is applied to the document's picture; false when cancelled.
bool AdjustGamma(CImageDoc& document, QWidget* parent) {
    CGammaDialog dialog(document, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    ApplyGamma(document, dialog.Model().GammaTable(), dialog.Model().LevelTable());
    return true;
}

} // namespace

void RegisterEditCommands(CCommandBinder& binder, const CommandContext& context) {
    // The control bar and the status pane follow what the command changed ("Modified Image").
    auto onDocument = [window = &context.window](void (*command)(CImageDoc&, QWidget*)) {
        return [window, command] {
            if (CImageDoc* document = window->ActiveDocument())
                command(*document, window->DialogParent());
            window->ShowActiveDocument();
        };
    };
    binder.Bind(ID_COMMENT_EDIT, onDocument(EditComments));
    binder.Bind(ID_COMMENT_TOGGLE, onDocument(ToggleComment));
    binder.Bind(ID_RESIZE, onDocument(ResizeImage));
    binder.Bind(ID_GAMMA, [window = &context.window] {
        CImageDoc* document = window->ActiveDocument();
        if (document && AdjustGamma(*document, window->DialogParent()))
            window->ShowActiveDocument();
    });
}

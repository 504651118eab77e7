#include "ui/shell/DocumentPrompts.h"

#include "base/Platform.h"
#include "base/StringTable.h"
#include "core/ImageDoc.h"
#include "ui/shell/CommandGroups.h"
#include "ui/shell/ControlBar.h"
#include "ui/shell/PngSaveDialog.h"

CDocumentPrompts::CDocumentPrompts(QWidget& parent, SettingsStore& settings,
                                   CControlBar& controlBar)
    : parent_(parent), settings_(settings), controlBar_(controlBar) {}

void CDocumentPrompts::CommitControlBar(SettingsStore& settings) {
    controlBar_.Commit(settings);
}

bool CDocumentPrompts::ConfirmPngSaveOptions(CImageDoc& document) {
    return EditPngSaveOptions(&parent_, settings_, &document);
}

bool CDocumentPrompts::MaybeSave(CImageDoc& document) {
    if (!document.IsModified()) return true;
    std::string question = LoadString(StringId::AskToSave);
    question.replace(question.find("%s"), 2, document.UnmarkedTitle());
    switch (Platform().ShowMessage(question, MessageKind::Question, Buttons::YesNoCancel)) {
    case Answer::No:
        return true;
    case Answer::Yes:
        return document.PathName().empty() ? SaveDocumentAs(&parent_, settings_, document)
                                           : document.OnSaveDocument(document.PathName());
    default:
        return false;
    }
}

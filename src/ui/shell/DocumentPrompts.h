#pragma once
// What the documents' saves and closes ask the user: for core, the control bar's values and the
// PNG save options before a save; for the windows, whether a modified document is saved before
// it closes (and, for one without a file, under which name).
#include "core/DocumentPrompts.h"

struct SettingsStore;
class CControlBar;
class CImageDoc;
class QWidget;

class CDocumentPrompts : public IDocumentPrompts {
public:
    // Dialogs open over parent; the control bar's values are committed into settings.
    CDocumentPrompts(QWidget& parent, SettingsStore& settings, CControlBar& controlBar);

    void CommitControlBar(SettingsStore& settings) override;
    // The PNG save options dialog on the document; Cancel aborts the save.
    bool ConfirmPngSaveOptions(CImageDoc& document) override;

    // Before a document closes: a modified one asks whether to save its changes. Yes saves it
    // (to its file, or under the name the save dialog asks for); false keeps the document open.
    bool MaybeSave(CImageDoc& document);

private:
    QWidget& parent_;
    SettingsStore& settings_;
    CControlBar& controlBar_;
};

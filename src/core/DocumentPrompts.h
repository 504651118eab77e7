#pragma once
// What a document asks of the user while it works: the JPEG values typed into the control bar
// before they are used, and the PNG save options before a PNG is written. The GUI asks; without
// a GUI the settings stand as they are and every save goes ahead.
struct SettingsStore;
class CImageDoc;

class IDocumentPrompts {
public:
    virtual ~IDocumentPrompts() = default;
    // Copies the control bar's JPEG values into the settings.
    virtual void CommitControlBar(SettingsStore& settings) = 0;
    // Runs the PNG save options on the document; false when the user cancels the save.
    virtual bool ConfirmPngSaveOptions(CImageDoc& document) = 0;
};

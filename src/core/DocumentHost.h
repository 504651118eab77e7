#pragma once
// What the documents need from the application around them: the recent-file list, the events
// that open, bring forward and close their windows, the numbering of new images, the control
// bar, and the PNG save options dialog. The GUI installs its own host; the headless one serves
// the CLI and the tests.
#include "settings/SettingsStore.h"

#include <string>

class CDocument;
class CImageDoc;

class IDocumentHost {
public:
    virtual ~IDocumentHost() = default;
    virtual void AddToRecentFiles(const std::string& path) = 0;
    // A document became open (a file, a new or pasted image, a conversion result, a plane of a
    // separation): it needs a window. Announced once it holds its picture and title.
    virtual void DocumentCreated(CImageDoc& document) = 0;
    // A file was opened again: the document that already shows it comes to the front.
    virtual void ActivateDocument(CDocument& document) = 0;
    // The document is about to be destroyed: its window closes.
    virtual void DocumentClosing(CImageDoc& document) = 0;
    // The next number of the "(n)" mark of a new image marked modified: 1, 2, ...
    virtual int NextNewImageNumber() = 0;
    // The last open document has closed.
    virtual void LastDocumentClosed() = 0;
    // Copies the control bar's JPEG values into the settings.
    virtual void CommitControlBar(SettingsStore& settings) = 0;
    // Runs the PNG save options on the document; false when the user cancels the save.
    virtual bool ConfirmPngSaveOptions(CImageDoc& document) = 0;
    // Saves a document that has no file yet under a name the user picks; false when the user
    // cancels or the save fails. Without a GUI there is nobody to ask.
    virtual bool SaveDocumentAs(CImageDoc&) { return false; }
};

// The host of this process; the headless one until another is installed.
IDocumentHost& DocumentHost();
// Installs a host (not owned); nullptr goes back to the headless one.
void InstallDocumentHost(IDocumentHost* host);

#pragma once
// The main window's command groups. Each group binds its commands with one Register*Commands
// function; the main window calls them all, in the list of CMainFrame::RegisterCommands. A new
// group is a new file, its declaration here and one line in that list.
#include "ui/shell/CommandBinder.h"

class CBatchRunner;
class CClipboardWatch;
class CDocTemplate;
class CDocumentWindows;
class CImageDoc;
class QMdiArea;
class QWidget;
struct CommandState;
struct SettingsStore;

// What a command asks of the main window.
class ICommandWindow {
public:
    virtual ~ICommandWindow() = default;
    // The owner of the dialogs a command opens.
    virtual QWidget* DialogParent() = 0;
    // The document of the active document window, or none.
    virtual CImageDoc* ActiveDocument() const = 0;
    // After a command changed the active document (or may have): the status bar, caption, Exif
    // window and control bar follow it, and the command states are refreshed.
    virtual void ShowActiveDocument() = 0;
    virtual void RefreshCommands() = 0;
};

// What most groups work with.
struct CommandContext {
    ICommandWindow& window;
    SettingsStore& settings;
    CDocTemplate& documents;
};

// Open, Save As, Reload, JPEG conversion, Y/Cb/Cr separation and the two PNG displays.
void RegisterFileCommands(CCommandBinder& binder, const CommandContext& context);
// The save dialog for the document; false when cancelled or the save fails.
bool SaveDocumentAs(QWidget* parent, SettingsStore& settings, CImageDoc& document);

// The comments, the resize and the gamma / brightness of the active document.
void RegisterEditCommands(CCommandBinder& binder, const CommandContext& context);
// The active document's custom quantization tables, and the marker inspector.
void RegisterDqtCommands(CCommandBinder& binder, const CommandContext& context);
// The settings sheet, the About box and the manual.
void RegisterSettingsCommands(CCommandBinder& binder, const CommandContext& context);
// Batch conversion and batch filter, run by runner.
void RegisterBatchCommands(CCommandBinder& binder, const CommandContext& context,
                           CBatchRunner& runner);
// Paste and Clear of the clipboard the watch follows (ClipboardWatch.cpp).
void RegisterClipboardCommands(CCommandBinder& binder, CClipboardWatch& clipboard);

// The active view's zoom, copy, fit and sync.
void RegisterViewCommands(CCommandBinder& binder, QMdiArea& area, const CDocumentWindows& windows);
// The arrangement of the document windows, closing them, and the window list.
void RegisterWindowCommands(CCommandBinder& binder, QMdiArea& area, CDocTemplate& documents);
// The document windows as the window menu lists them.
void FillWindowList(const QMdiArea& area, CommandState& state);

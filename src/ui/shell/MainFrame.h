#pragma once
// The main window: the MDI area with a window for every open document, actions and menus built
// from the command table, the status bar, and the window rectangle kept in the settings.
#include "settings/SettingsStore.h"
#include "shell/CommandState.h"
#include "ui/batch/GuiBatchRun.h"
#include "ui/shell/ClipboardWatch.h"
#include "ui/shell/CommandActions.h"
#include "ui/shell/CommandBinder.h"
#include "ui/shell/CommandGroups.h"
#include "ui/shell/DocumentWindows.h"

#include <QMainWindow>
#include <functional>
#include <memory>
#include <vector>

class CControlBar;
class CDocumentPrompts;
class CExifWindow;
class CImageView;
class QToolBar;
class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QShowEvent;

// The window's own commands (the bars, the Exif window, Exit) are bound here; every other
// command group registers itself through the narrow ICommandWindow (CommandGroups.h).
class CMainFrame : public QMainWindow, private ICommandWindow {
    Q_OBJECT
public:
    CMainFrame(SettingsStore& settings, CDocTemplate& documents);
    ~CMainFrame() override;

    QMdiArea* MdiArea() const { return mdiArea_; }
    CControlBar* ControlBar() const { return controlBar_; }
    // The document of the active MDI window, or none.
    CImageDoc* ActiveDocument() const override { return windows_->ActiveDocument(); }
    // The view of the active MDI window, or none.
    CImageView* ActiveView() const;
    CExifWindow* ExifWindow() const { return exifWindow_; }

    QAction* Action(int id) const;
    // Carries out the command when chosen; every command refreshes the command states after.
    void SetCommandHandler(int id, std::function<void()> handler);
    // The one update pass: every action's enabled and checked state, and the menu bar (122
    // without a document, 131 with one), from the snapshot.
    void UpdateCommands(const CommandState& state);
    // What the main window knows of the application state now.
    CommandState CurrentCommandState() const;
    void RefreshCommands() override;

    // The window's state is kept as a close keeps it, and a batch run stops, without asking
    // anything: the session ends, the documents close after the event loop.
    void EndSession();

    // Status pane 1: the active document's information, or "No Files".
    void SetInfoText(const QString& text);
    QString InfoText() const;
    // The no-document state: once the last document has closed, or when none of the files
    // named at start-up opened.
    void ShowNoFiles();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Dropped files open as documents, in the order they come, whatever their names.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // The first show starts watching the clipboard, as if it had just changed.
    void showEvent(QShowEvent* event) override;

private:
    QWidget* DialogParent() override { return this; }
    // Everything outside the document windows follows the active document: its information
    // in the status bar, its title in the caption, its Exif data, the control bar's comment
    // flag, and the quality controls disabled while it uses custom tables.
    void ShowActiveDocument() override;

    // The Exif window goes, and the window rectangle, control bar values and bar layout go
    // into the settings.
    void StoreState();
    void CreateMenus();
    void ShowMenuBar(bool documentMenu);
    // The window's own commands, then every command group.
    void RegisterCommands();
    void ToggleStatusBar();
    void CreateControlBar();
    void CreateToolBars();
    QToolBar* CreateToolBar(const char* name, const std::vector<int>& buttons);
    // Hooks a new document window's view to the commands and makes its first update.
    void AttachDocumentWindow(QWidget* content);
    // Every child window's status bar follows the main one.
    void ShowStatusBars(bool visible);
    void ToggleExifWindow();
    void ShowExif(const CImageDoc* document);

    SettingsStore& settings_;
    CDocTemplate& documents_;
    CCommandActions commands_;
    CCommandBinder binder_;
    std::vector<QMenu*> noDocumentMenus_;
    std::vector<QMenu*> documentMenus_;
    bool showsDocumentMenu_ = true; // so that the first ShowMenuBar(false) builds menu 122
    QLabel* infoPane_ = nullptr;
    QMdiArea* mdiArea_ = nullptr;
    CControlBar* controlBar_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QToolBar* zoomBar_ = nullptr;
    CExifWindow* exifWindow_ = nullptr;
    std::unique_ptr<CDocumentPrompts> prompts_;
    std::unique_ptr<CDocumentWindows> windows_;
    CClipboardWatch clipboard_;
    CBatchRunner batch_;
};

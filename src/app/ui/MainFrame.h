#pragma once
// The main window: the MDI area with a window for every open document, actions and menus built
// from the command table, the status bar, and the window rectangle kept in the settings.
#include "app/commands/CommandState.h"
#include "app/settings/SettingsStore.h"
#include "app/ui/CommandActions.h"
#include "app/ui/DocumentWindows.h"

#include <QMainWindow>
#include <functional>
#include <memory>
#include <vector>

class CControlBar;
class QAction;
class QLabel;
class QMdiArea;
class QMenu;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(SettingsStore& settings, CDocTemplate& documents,
               CDocumentWindows::WindowFactory makeDocumentWindow);
    ~CMainFrame() override;

    QMdiArea* MdiArea() const { return mdiArea_; }
    CControlBar* ControlBar() const { return controlBar_; }
    // The document of the active MDI window, or none.
    CImageDoc* ActiveDocument() const { return windows_->ActiveDocument(); }

    QAction* Action(int id) const;
    // Carries out the command when chosen; every command refreshes the command states after.
    void SetCommandHandler(int id, std::function<void()> handler);
    // The one update pass: every action's enabled and checked state, and the menu bar (122
    // without a document, 131 with one), from the snapshot.
    void UpdateCommands(const CommandState& state);
    // What the main window knows of the application state now.
    CommandState CurrentCommandState() const;
    void RefreshCommands();

    // Status pane 1: the active document's information, or "No Files".
    void SetInfoText(const QString& text);
    QString InfoText() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateMenus();
    void ShowMenuBar(bool documentMenu);
    void ConnectCommands();
    void ToggleStatusBar();
    // The no-document state once the last document has closed.
    void ShowNoFiles();
    void CreateControlBar();
    // The control bar follows the active document: its comment flag, and the quality controls
    // disabled while it uses custom tables.
    void ShowActiveDocument();
    void ToggleComment();
    void ToggleCustomDqt();

    SettingsStore& settings_;
    CCommandActions commands_;
    std::vector<QMenu*> noDocumentMenus_;
    std::vector<QMenu*> documentMenus_;
    bool showsDocumentMenu_ = true; // so that the first ShowMenuBar(false) builds menu 122
    QLabel* infoPane_ = nullptr;
    QMdiArea* mdiArea_ = nullptr;
    CControlBar* controlBar_ = nullptr;
    std::unique_ptr<CDocumentWindows> windows_;
};

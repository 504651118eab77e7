#pragma once
// The main window: menus built from the command table, the status bar, and the window
// rectangle kept in the settings.
#include "app/settings/SettingsStore.h"

#include <QMainWindow>
#include <map>

class QAction;
class QLabel;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(SettingsStore& settings);

    QAction* Action(int id) const;
    // Status pane 1: the active document's information, or "No Files".
    void SetInfoText(const QString& text);
    QString InfoText() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateMenus();
    QAction* CreateAction(int id);
    void ConnectCommands();
    void ToggleStatusBar();

    SettingsStore& settings_;
    std::map<int, QAction*> actions_;
    QLabel* infoPane_ = nullptr;
};

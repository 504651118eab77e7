#pragma once
// The application: locates and loads the settings, creates the main window, and saves the
// settings at exit.
#include "app/settings/SettingsStore.h"
#include "platform/ui/QtPlatform.h"

#include <QString>
#include <QStringList>
#include <memory>

class CMainFrame;

class CImageApp {
public:
    explicit CImageApp(SettingsStore& settings);
    ~CImageApp();

    // Start-up; the profile is named after the executable's base name.
    bool InitInstance(const QString& executablePath, const QStringList& arguments);
    // Shut-down after the main window has closed: writes the settings.
    int ExitInstance();

    CMainFrame* MainFrame() const { return mainFrame_.get(); }

private:
    SettingsStore& settings_;
    QtPlatform platform_;
    std::unique_ptr<CMainFrame> mainFrame_;
};

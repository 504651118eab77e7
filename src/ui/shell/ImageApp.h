#pragma once
// The application: locates and loads the settings, creates the main window, opens the files
// named on the command line, and saves the settings at exit.
#include "core/DocTemplate.h"
#include "settings/SettingsStore.h"
#include "ui/kit/QtPlatform.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <string>
#include <vector>

class CFileDialogColumns;
class CMainFrame;
class CQtTranslation;
class CTerminationSignals;

class CImageApp {
public:
    explicit CImageApp(SettingsStore& settings);
    ~CImageApp();

    // Start-up; the profile is named after the executable's base name; paths are the files
    // named on the command line as the system's bytes, opened before the window is shown. Every
    // one is tried; one that does not open has been reported by its reader, and the window
    // shows what opened, or "No Files". False when the window cannot be made (FailureReason
    // says why).
    bool InitInstanceWithPaths(const QString& executablePath,
                               const std::vector<std::string>& paths);
    // The same with the files as decoded text (turned back into the system's bytes).
    bool InitInstance(const QString& executablePath, const QStringList& files);
    const QString& FailureReason() const { return failureReason_; }
    // Shut-down after the main window has closed: writes the settings.
    int ExitInstance();

    CMainFrame* MainFrame() const { return mainFrame_.get(); }
    CDocTemplate& Documents() { return documents_; }

private:
    SettingsStore& settings_;
    // SIGTERM or SIGHUP: the main window keeps its state as at a close, a batch run stops, and
    // the event loops end without questions; ExitInstance then closes the documents (removing
    // their temporary files) and writes the settings.
    void Terminate();
    void OpenCommandLineFiles(const std::vector<std::string>& paths);

    std::unique_ptr<CQtTranslation> qtTexts_;
    std::unique_ptr<CFileDialogColumns> fileDialogColumns_;
    QtPlatform platform_;
    CDocTemplate documents_;
    std::unique_ptr<CMainFrame> mainFrame_;
    std::unique_ptr<CTerminationSignals> terminationSignals_;
    QString failureReason_;
};

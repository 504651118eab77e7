#include "ui/shell/ImageApp.h"

#include "jpegtools/CustomTables.h"
#include "jpegtools/DefaultComment.h"
#include "ui/shell/FileDialogColumns.h"
#include "ui/shell/MainFrame.h"
#include "ui/shell/QtTranslation.h"
#include "ui/shell/SystemPath.h"
#include "ui/shell/TerminationSignals.h"

#include <QCoreApplication>
#include <QFileInfo>

CImageApp::CImageApp(SettingsStore& settings) : settings_(settings), documents_(settings) {}

CImageApp::~CImageApp() {
    InstallPlatform(nullptr);
}

bool CImageApp::InitInstance(const QString& executablePath, const QStringList& files) {
    std::vector<std::string> paths;
    for (const QString& file : files)
        paths.push_back(SystemPath(file));
    return InitInstanceWithPaths(executablePath, paths);
}

bool CImageApp::InitInstanceWithPaths(const QString& executablePath,
                                      const std::vector<std::string>& paths) {
    qtTexts_ = std::make_unique<CQtTranslation>();
    fileDialogColumns_ = std::make_unique<CFileDialogColumns>();
    InstallPlatform(&platform_);
    LocateProfile(settings_, QFileInfo(executablePath).completeBaseName().toStdString());
    LoadSettings(settings_);
    LoadCustomTables(settings_);
    LoadDefaultComment(settings_, settings_.defaultCommentPath);
    mainFrame_ = std::make_unique<CMainFrame>(settings_, documents_);
    platform_.SetParentWindow(mainFrame_.get());
    terminationSignals_ = std::make_unique<CTerminationSignals>();
    QObject::connect(terminationSignals_.get(), &CTerminationSignals::terminationRequested,
                     [this] { Terminate(); });
    OpenCommandLineFiles(paths);
    if (settings_.restoreWindowPos && settings_.windowPosWidth > 0 && settings_.windowPosHeight > 0)
        mainFrame_->setGeometry(settings_.windowPosLeft, settings_.windowPosTop,
                                settings_.windowPosWidth, settings_.windowPosHeight);
    mainFrame_->show();
    return true;
}

void CImageApp::OpenCommandLineFiles(const std::vector<std::string>& paths) {
    for (const std::string& path : paths)
        documents_.OpenDocumentFile(path);
    if (documents_.Documents().empty()) mainFrame_->ShowNoFiles();
}

void CImageApp::Terminate() {
    if (mainFrame_) mainFrame_->EndSession();
    QCoreApplication::exit(0);
}

int CImageApp::ExitInstance() {
    terminationSignals_.reset();
    documents_.CloseAllDocuments();
    platform_.SetParentWindow(nullptr);
    mainFrame_.reset();
    SaveCustomTables(settings_);
    SaveSettings(settings_);
    return 0;
}

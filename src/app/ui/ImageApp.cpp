#include "app/ui/ImageApp.h"

#include "app/ui/MainFrame.h"
#include "jpegtools/CustomTables.h"
#include "jpegtools/DefaultComment.h"

#include <QFileInfo>

CImageApp::CImageApp(SettingsStore& settings) : settings_(settings) {}

CImageApp::~CImageApp() {
    InstallPlatform(nullptr);
}

bool CImageApp::InitInstance(const QString& executablePath, const QStringList& arguments) {
    (void)arguments; // images named on the command line open once documents exist
    InstallPlatform(&platform_);
    LocateProfile(settings_, QFileInfo(executablePath).completeBaseName().toStdString());
    LoadSettings(settings_);
    LoadCustomTables(settings_);
    LoadDefaultComment(settings_, settings_.defaultCommentPath);
    mainFrame_ = std::make_unique<CMainFrame>(settings_);
    platform_.SetParentWindow(mainFrame_.get());
    if (settings_.restoreWindowPos && settings_.windowPosWidth > 0 && settings_.windowPosHeight > 0)
        mainFrame_->setGeometry(settings_.windowPosLeft, settings_.windowPosTop,
                                settings_.windowPosWidth, settings_.windowPosHeight);
    mainFrame_->show();
    return true;
}

int CImageApp::ExitInstance() {
    platform_.SetParentWindow(nullptr);
    mainFrame_.reset();
    SaveCustomTables(settings_);
    SaveSettings(settings_);
    return 0;
}

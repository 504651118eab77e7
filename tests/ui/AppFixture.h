#pragma once
// The application started offscreen on one picture, with its profile in a fresh configuration
// directory, and a way to drive the modal dialog a command opens.
#include "ui/shell/ImageApp.h"
#include "ui/shell/MainFrame.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

struct AppOnPicture {
    QTemporaryDir config;
    SettingsStore settings;
    CImageApp app{settings};
    AppOnPicture() {
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        if (!app.InitInstance("/opt/bin/tolmena", {QString(TEST_DATA_DIR) + "/bmp/g/rgb24.bmp"}))
            qFatal("the application did not start");
    }
    ~AppOnPicture() { app.ExitInstance(); }
    CMainFrame* Frame() { return app.MainFrame(); }
    CImageDoc& Document() { return *Frame()->ActiveDocument(); }
};

// Triggers the command and hands the modal dialog of type Dialog it opens to `drive`, which
// must close it.
template <typename Dialog>
void RunCommandDialog(CMainFrame* frame, int command, std::function<void(Dialog&)> drive) {
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            poll.stop();
            drive(*dialog);
        }
    });
    poll.start(5);
    frame->Action(command)->trigger();
}

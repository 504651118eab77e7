// tolmena: the image viewer.
#include "ui/shell/ImageApp.h"

#include <QApplication>
#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    CImageApp app(AppSettings());
    // The files as the system named them: Qt has taken its own options out of argv, and the
    // bytes of a name that is not UTF-8 survive only here.
    const std::vector<std::string> files(argv + 1, argv + argc);
    if (!app.InitInstanceWithPaths(QApplication::applicationFilePath(), files)) {
        std::fprintf(stderr, "tolmena: %s\n", qPrintable(app.FailureReason()));
        return 1;
    }
    int status = QApplication::exec();
    app.ExitInstance();
    return status;
}

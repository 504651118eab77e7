// tolmena: the image viewer.
#include "app/ui/ImageApp.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    CImageApp app(AppSettings());
    if (!app.InitInstance(QApplication::applicationFilePath(), QApplication::arguments().mid(1))) {
        std::fprintf(stderr, "tolmena: %s\n", qPrintable(app.FailureReason()));
        return 1;
    }
    int status = QApplication::exec();
    app.ExitInstance();
    return status;
}

// tolmena: the image viewer.
#include "app/ui/ImageApp.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationDisplayName("Tolmena");
    CImageApp app(AppSettings());
    if (!app.InitInstance(QApplication::applicationFilePath(), QApplication::arguments())) return 1;
    int status = QApplication::exec();
    app.ExitInstance();
    return status;
}

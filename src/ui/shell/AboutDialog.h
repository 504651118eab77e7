#pragma once
// The About box: the application icon, the program's name and version, and the libraries it
// runs with, each with the version in use and a credit line.
#include <QDialog>

class CAboutDialog : public QDialog {
public:
    explicit CAboutDialog(QWidget* parent);
};

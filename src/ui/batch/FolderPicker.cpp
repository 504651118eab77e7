#include "ui/batch/FolderPicker.h"

#include "batch/BatchPaths.h"

#include <QFileDialog>

bool BrowseForFolder(QWidget* owner, std::string& text, const std::string& title) {
    QFileDialog dialog(owner, QString::fromStdString(title),
                       QString::fromStdString(BrowseStartFolder(text)));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (!dialog.exec() || dialog.selectedFiles().isEmpty()) return false;
    text = dialog.selectedFiles().first().toStdString();
    return true;
}

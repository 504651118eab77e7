#pragma once
// Qt's file dialogs size their detail columns for short English samples, so in a Japanese font
// the sizes, types and dates of the files come out cut short. Watching the application, this
// makes the columns after the name as wide as their contents whenever a file dialog shows or
// lists a folder, and widens the dialog to show them.
#include <QObject>

class QFileDialog;

class CFileDialogColumns : public QObject {
    Q_OBJECT
public:
    // Installs itself as an event filter of the application.
    explicit CFileDialogColumns(QObject* parent = nullptr);
    ~CFileDialogColumns() override;

    static void Fit(QFileDialog& dialog);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

#pragma once
// The batch progress window: a status line, a counter, the path at hand, the failures so far, a
// bar and the abort button. It has no owner window, so it stays usable while the main window is
// disabled for the run; the run lets it repaint and answer its button between two files.
#include "batch/BatchProgress.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

class CProgressWindow : public QDialog, public IBatchProgress {
    Q_OBJECT
public:
    CProgressWindow();

    // Moves the window so that its centre is the window's (integer halves toward zero); with
    // none given it centres over the screen.
    void CentreOver(const QWidget* window);

    void SetStatus(const std::string& text) override;
    void SetCounter(const std::string& text) override;
    void SetPath(const std::string& text) override;
    void SetRange(int total) override;
    void Step() override;
    void SetFailures(const std::string& text) override;
    // Handles the pending events; false once the abort button was pressed.
    bool KeepGoing() override;
    bool Aborted() const { return aborted_; }

    // Escape and the title bar's close box abort like the button.
    void reject() override;

private:
    void Abort();

    QLabel* status_;
    QLabel* counter_;
    QLabel* path_;
    QLabel* failures_;
    QProgressBar* bar_;
    QPushButton* abort_;
    bool aborted_ = false;
};

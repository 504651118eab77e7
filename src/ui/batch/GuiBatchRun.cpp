#include "ui/batch/GuiBatchRun.h"

#include "ui/batch/ProgressWindow.h"

#include <QApplication>
#include <QWidget>
#include <memory>

namespace {

// The settings were taken by the dialog before the run; the summary goes through the platform's
// message box, owned by the main window.
class CGuiFrontEnd : public IBatchFrontEnd {
public:
    explicit CGuiFrontEnd(QWidget* mainWindow) : mainWindow_(mainWindow) {}

    bool EditSettings() override { return true; }
    IBatchProgress* OpenProgress() override {
        progress_ = std::make_unique<CProgressWindow>();
        progress_->CentreOver(mainWindow_);
        progress_->show();
        progress_->raise();
        progress_->activateWindow();
        return progress_.get();
    }
    void CloseProgress() override { progress_.reset(); }
    void EnableMainWindow(bool enable) override {
        if (mainWindow_) mainWindow_->setEnabled(enable);
    }

private:
    QWidget* mainWindow_;
    std::unique_ptr<CProgressWindow> progress_;
};

} // namespace

BatchResult RunGuiBatch(IBatchTask& task, QWidget* mainWindow) {
    CGuiFrontEnd frontEnd(mainWindow);
    return RunBatchCommand(task, frontEnd);
}

void CBatchRunner::Run(IBatchTask& task) {
    running_ = true;
    RunGuiBatch(task, &mainWindow_);
    running_ = false;
}

void CBatchRunner::Abort() {
    if (!running_) return;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* progress = qobject_cast<CProgressWindow*>(window)) progress->reject();
}

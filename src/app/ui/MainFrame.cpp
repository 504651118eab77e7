#include "app/ui/MainFrame.h"

#include "app/ui/CommandTable.h"
#include "app/util/StringTable.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>

namespace {

// Commands that work at this stage; the others stay disabled until their features exist.
bool IsAvailable(int id) { return id == ID_APP_EXIT || id == ID_VIEW_STATUS_BAR; }

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

} // namespace

CMainFrame::CMainFrame(SettingsStore& settings) : settings_(settings) {
    setWindowTitle("Tolmena");
    CreateMenus();
    infoPane_ = new QLabel(QString::fromStdString(LoadString(162)));
    statusBar()->addPermanentWidget(infoPane_);
    ConnectCommands();
    resize(800, 600);
}

QAction* CMainFrame::CreateAction(int id) {
    const Command* command = FindCommand(id);
    auto* action = new QAction(Text(EmptyMenuCaption(id)), this);
    if (command) {
        action->setShortcuts(QKeySequence::listFromString(Text(command->keys)));
        action->setStatusTip(Text(command->prompt));
        action->setToolTip(Text(command->tip));
    }
    action->setEnabled(IsAvailable(id));
    actions_[id] = action;
    return action;
}

void CMainFrame::CreateMenus() {
    for (const MenuLayout& layout : EmptyMenu()) {
        QMenu* menu = menuBar()->addMenu(Text(layout.title));
        for (int id : layout.items) {
            if (id == ID_SEPARATOR)
                menu->addSeparator();
            else
                menu->addAction(CreateAction(id));
        }
    }
}

void CMainFrame::ConnectCommands() {
    connect(Action(ID_APP_EXIT), &QAction::triggered, this, &QWidget::close);
    QAction* statusToggle = Action(ID_VIEW_STATUS_BAR);
    statusToggle->setCheckable(true);
    statusToggle->setChecked(true);
    connect(statusToggle, &QAction::triggered, this, &CMainFrame::ToggleStatusBar);
}

void CMainFrame::ToggleStatusBar() {
    statusBar()->setVisible(!statusBar()->isVisible());
    Action(ID_VIEW_STATUS_BAR)->setChecked(statusBar()->isVisible());
}

QAction* CMainFrame::Action(int id) const {
    auto found = actions_.find(id);
    return found == actions_.end() ? nullptr : found->second;
}

void CMainFrame::SetInfoText(const QString& text) { infoPane_->setText(text); }

QString CMainFrame::InfoText() const { return infoPane_->text(); }

void CMainFrame::closeEvent(QCloseEvent* event) {
    const QRect frame = frameGeometry();
    settings_.windowPosLeft = frame.left();
    settings_.windowPosTop = frame.top();
    settings_.windowPosWidth = frame.width();
    settings_.windowPosHeight = frame.height();
    event->accept();
}

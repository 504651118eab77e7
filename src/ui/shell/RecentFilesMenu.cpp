#include "ui/shell/RecentFilesMenu.h"

#include <QAction>
#include <QMenu>

CRecentFilesMenu::CRecentFilesMenu(QMenu& menu, QAction& placeholder, SettingsStore& settings,
                                   OpenFile open)
    : QObject(&menu), menu_(menu), placeholder_(placeholder), settings_(settings),
      open_(std::move(open)) {
    connect(&menu_, &QMenu::aboutToShow, this, &CRecentFilesMenu::Refresh);
}

void CRecentFilesMenu::Refresh() {
    for (QAction* item : items_)
        delete item;
    items_.clear();
    if (settings_.recentListCleared) {
        settings_.recentFiles.clear();
        settings_.recentListCleared = 0;
    }
    placeholder_.setVisible(settings_.recentFiles.empty());
    for (size_t i = 0; i < settings_.recentFiles.size(); ++i) {
        const std::string path = settings_.recentFiles[i];
        auto* item =
            new QAction(QString("&%1 %2").arg(i + 1).arg(QString::fromStdString(path)), &menu_);
        connect(item, &QAction::triggered, this, [this, path] { open_(path); });
        menu_.insertAction(&placeholder_, item);
        items_.push_back(item);
    }
}

#pragma once
// The recent files in a file menu: one item a file ("&1 path", most recent first) in place of
// the "最近開いたファイル" item, which stays, disabled, while the list is empty. The items are made
// anew each time the menu opens; a list cleared from the settings empties then.
#include "settings/SettingsStore.h"

#include <QObject>
#include <functional>
#include <vector>

class QAction;
class QMenu;

class CRecentFilesMenu : public QObject {
    Q_OBJECT
public:
    using OpenFile = std::function<void(const std::string& path)>;

    CRecentFilesMenu(QMenu& menu, QAction& placeholder, SettingsStore& settings, OpenFile open);

    // Rebuilds the items from the list (what opening the menu does).
    void Refresh();

private:
    QMenu& menu_;
    QAction& placeholder_;
    SettingsStore& settings_;
    OpenFile open_;
    std::vector<QAction*> items_;
};

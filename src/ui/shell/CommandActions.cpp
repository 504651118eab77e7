#include "ui/shell/CommandActions.h"

#include "shell/CommandTable.h"

#include <QAction>
#include <QMenu>

namespace {

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8 ? utf8 : "");
}

// The table separates a command's keys by ", "; Qt's own list format would take "=, +" for one
// two-key chord.
QList<QKeySequence> KeySequences(const char* keys) {
    QList<QKeySequence> sequences;
    for (const QString& key : Text(keys).split(", ", Qt::SkipEmptyParts))
        sequences.append(QKeySequence(key));
    return sequences;
}

bool IsZoomRate(int id) {
    return id >= ID_ZOOM_RATE_FIRST && id <= ID_ZOOM_RATE_LAST;
}

} // namespace

CCommandActions::CCommandActions(QWidget* window, const std::string* zoomLabels)
    : zoomLabels_(zoomLabels) {
    for (const Command& command : Commands()) {
        auto* action = new QAction(window);
        action->setShortcuts(KeySequences(command.keys));
        action->setStatusTip(Text(command.prompt));
        action->setToolTip(Text(command.tip));
        action->setEnabled(false);
        window->addAction(action);
        actions_[command.id] = action;
        action->setText(Caption(command.id));
    }
}

QString CCommandActions::Caption(int id) const {
    if (IsZoomRate(id) && !zoomLabels_[id - ID_ZOOM_RATE_FIRST].empty())
        return QString::fromStdString(zoomLabels_[id - ID_ZOOM_RATE_FIRST]);
    const Command* command = FindCommand(id);
    return Text(command ? command->caption : nullptr);
}

QAction* CCommandActions::Action(int id) const {
    auto found = actions_.find(id);
    return found == actions_.end() ? nullptr : found->second;
}

void CCommandActions::SetHandler(int id, std::function<void()> handler) {
    QAction* action = Action(id);
    if (!action) return;
    QObject::connect(action, &QAction::triggered, action, std::move(handler));
    handled_.insert(id);
}

void CCommandActions::Update(const CommandState& state) {
    for (const Command& command : Commands()) {
        QAction* action = actions_.at(command.id);
        const bool handled = handled_.contains(command.id);
        action->setEnabled(handled && IsEnabled(command, state));
        action->setCheckable(handled && IsCheckable(command));
        action->setChecked(IsChecked(command, state));
    }
    UpdateWindowLists(state);
}

void CCommandActions::UpdateWindowLists(const CommandState& state) {
    const std::vector<WindowListEntry> entries = WindowListEntries(state);
    for (size_t list = 0; list < windowLists_.size(); ++list) {
        windowLists_[list].separator->setVisible(!entries.empty());
        for (size_t i = 0; i < entries.size(); ++i) {
            QAction* item = WindowListItem(list, i);
            item->setText(QString::fromStdString(entries[i].caption));
            item->setChecked(entries[i].checked);
            item->setVisible(true);
        }
        for (size_t i = entries.size(); i < windowLists_[list].items.size(); ++i)
            windowLists_[list].items[i]->setVisible(false);
    }
}

QAction* CCommandActions::WindowListItem(size_t list, size_t index) {
    WindowListPlace& place = windowLists_[list];
    while (place.items.size() <= index) {
        QAction* item = place.menu->addAction(QString());
        item->setCheckable(true);
        const int number = static_cast<int>(place.items.size());
        QObject::connect(item, &QAction::triggered, item, [this, number] {
            if (windowListHandler_) windowListHandler_(number);
        });
        place.items.push_back(item);
    }
    return place.items[index];
}

std::vector<QMenu*> CCommandActions::BuildMenus(const std::vector<MenuItem>& layout,
                                                QWidget* parent) {
    std::vector<QMenu*> menus;
    for (const MenuItem& item : layout) {
        auto* menu = new QMenu(Text(item.caption), parent);
        FillMenu(menu, item.items);
        menus.push_back(menu);
    }
    return menus;
}

void CCommandActions::FillMenu(QMenu* menu, const std::vector<MenuItem>& items) {
    for (const MenuItem& item : items) {
        switch (item.kind) {
        case MenuItemKind::Command:
            menu->addAction(Action(item.id));
            break;
        case MenuItemKind::Separator:
            menu->addSeparator();
            break;
        case MenuItemKind::Submenu:
            FillMenu(menu->addMenu(Text(item.caption)), item.items);
            break;
        case MenuItemKind::WindowList:
            windowLists_.push_back({menu, menu->addSeparator(), {}});
            windowLists_.back().separator->setVisible(false);
            break;
        }
    }
}

void CCommandActions::UseCaptionsOf(const std::vector<MenuItem>& layout) {
    for (const MenuItem& item : layout) {
        if (item.kind == MenuItemKind::Submenu)
            UseCaptionsOf(item.items);
        else if (item.kind == MenuItemKind::Command)
            Action(item.id)->setText(item.caption ? Text(item.caption) : Caption(item.id));
    }
}

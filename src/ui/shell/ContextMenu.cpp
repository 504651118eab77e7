#include "ui/shell/ContextMenu.h"

#include "shell/CommandId.h"
#include "shell/CommandTable.h"

#include <QMenu>

namespace {

QString Caption(const MenuItem& item, const std::string* zoomLabels) {
    if (item.caption) return QString::fromUtf8(item.caption);
    if (item.id >= ID_ZOOM_RATE_FIRST && item.id <= ID_ZOOM_RATE_LAST)
        return QString::fromStdString(zoomLabels[item.id - ID_ZOOM_RATE_FIRST]);
    const Command* command = FindCommand(item.id);
    return QString::fromUtf8(command && command->caption ? command->caption : "");
}

void Fill(QMenu* menu, const std::vector<MenuItem>& items, const std::string* zoomLabels) {
    for (const MenuItem& item : items) {
        switch (item.kind) {
        case MenuItemKind::Command:
            menu->addAction(Caption(item, zoomLabels))->setData(item.id);
            break;
        case MenuItemKind::Separator:
            menu->addSeparator();
            break;
        case MenuItemKind::Submenu:
            Fill(menu->addMenu(Caption(item, zoomLabels)), item.items, zoomLabels);
            break;
        case MenuItemKind::WindowList: // only the main menu lists the windows
            break;
        }
    }
}

} // namespace

QMenu* BuildContextMenu(const std::vector<MenuItem>& layout, const std::string* zoomLabels,
                        QWidget* parent) {
    auto* menu = new QMenu(parent);
    Fill(menu, layout, zoomLabels);
    return menu;
}

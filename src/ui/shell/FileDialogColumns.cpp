#include "ui/shell/FileDialogColumns.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QScreen>
#include <QTreeView>
#include <algorithm>

namespace {

constexpr const char* kWatched = "tolmenaColumnsWatched";

// The columns after the name as wide as their contents, and the dialog wide enough to show
// them all, as far as the screen allows; it never narrows.
void FitColumns(QFileDialog& dialog, QTreeView& view) {
    for (int column = 1; column < view.header()->count(); ++column)
        view.resizeColumnToContents(column);
    const int overflow = view.header()->length() - view.viewport()->width();
    if (overflow <= 0 || !dialog.screen()) return;
    const QRect screen = dialog.screen()->availableGeometry();
    dialog.resize(std::min(dialog.width() + overflow, screen.width()), dialog.height());
    const QRect frame = dialog.frameGeometry();
    if (frame.right() > screen.right())
        dialog.move(std::max(screen.left(), screen.right() + 1 - frame.width()), frame.top());
}

} // namespace

CFileDialogColumns::CFileDialogColumns(QObject* parent) : QObject(parent) {
    QCoreApplication::instance()->installEventFilter(this);
}

CFileDialogColumns::~CFileDialogColumns() {
    QCoreApplication::instance()->removeEventFilter(this);
}

void CFileDialogColumns::Fit(QFileDialog& dialog) {
    auto* view = dialog.findChild<QTreeView*>("treeView");
    auto* model = dialog.findChild<QFileSystemModel*>();
    if (!view || !model) return; // the platform's own dialog
    if (!dialog.property(kWatched).toBool()) {
        dialog.setProperty(kWatched, true);
        connect(model, &QFileSystemModel::directoryLoaded, view,
                [&dialog, view] { FitColumns(dialog, *view); });
    }
    FitColumns(dialog, *view);
}

bool CFileDialogColumns::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show)
        if (auto* dialog = qobject_cast<QFileDialog*>(watched)) Fit(*dialog);
    return QObject::eventFilter(watched, event);
}

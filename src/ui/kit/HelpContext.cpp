#include "ui/kit/HelpContext.h"

#include "ui/kit/HelpWindow.h"

#include <QApplication>

namespace {

// The outermost window the parent belongs to, so that one help window serves the main window
// and every dialog over it.
QWidget* OwnerOf(QWidget* parent) {
    QWidget* owner = parent;
    while (owner && owner->parentWidget())
        owner = owner->parentWidget();
    return owner;
}

} // namespace

CHelpWindow& HelpWindowFor(QWidget* parent) {
    QWidget* owner = OwnerOf(parent);
    if (owner) {
        if (auto* window = owner->findChild<CHelpWindow*>(QString(), Qt::FindDirectChildrenOnly))
            return *window;
    }
    auto* window = new CHelpWindow(owner);
    if (!owner) window->setAttribute(Qt::WA_DeleteOnClose);
    return *window;
}

void ShowHelpContext(QWidget* parent, int context) {
    CHelpWindow& window = HelpWindowFor(parent);
    // A modal dialog blocks every other window: over one, help is modal itself until closed.
    const Qt::WindowModality modality =
        QApplication::activeModalWidget() ? Qt::ApplicationModal : Qt::NonModal;
    if (window.windowModality() != modality) {
        window.hide();
        window.setWindowModality(modality);
    }
    window.ShowContext(context);
}

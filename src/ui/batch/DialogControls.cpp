#include "ui/batch/DialogControls.h"

#include "ui/kit/HelpContext.h"
#include "ui/kit/TableText.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

QDialogButtonBox* MakeDialogButtons(QDialog& dialog, int helpContext) {
    auto* buttons = new QDialogButtonBox(&dialog);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName("ok");
    ok->setDefault(true); // Enter in a field closes with OK
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole)
        ->setObjectName("cancel");
    QPushButton* help = buttons->addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole);
    help->setObjectName("help");
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(help, &QPushButton::clicked, &dialog,
                     [&dialog, helpContext] { ShowHelpContext(&dialog, helpContext); });
    return buttons;
}

QPushButton* AddSaveSettingsButton(QDialogButtonBox& buttons) {
    QPushButton* save =
        buttons.addButton(TableText(StringId::SaveTheseSettings), QDialogButtonBox::ActionRole);
    save->setObjectName("saveSettings");
    save->setAutoDefault(false);
    return save;
}

QCheckBox* MakeCheckBox(StringId caption, const char* name, QWidget* parent) {
    auto* box = new QCheckBox(TableText(caption), parent);
    box->setObjectName(name);
    return box;
}

QPushButton* MakeButton(StringId caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(TableText(caption), parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

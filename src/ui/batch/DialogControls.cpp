#include "ui/batch/DialogControls.h"

#include "ui/kit/HelpContext.h"

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
        buttons.addButton(QString::fromUtf8("この設定を保存"), QDialogButtonBox::ActionRole);
    save->setObjectName("saveSettings");
    save->setAutoDefault(false);
    return save;
}

QCheckBox* MakeCheckBox(const char* caption, const char* name, QWidget* parent) {
    auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
    box->setObjectName(name);
    return box;
}

QPushButton* MakeButton(const char* caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

#include "ui/batch/BatchSettingsDialog.h"

#include "base/Platform.h"
#include "ui/batch/BatchPathControls.h"
#include "ui/batch/DialogControls.h"
#include "ui/kit/TableText.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

CBatchSettingsDialog::CBatchSettingsDialog(SettingsStore& store, StringId caption, int helpContext,
                                           QWidget* parent)
    : QDialog(parent), paths_(new CBatchPathControls(this)), store_(store),
      controls_(new QVBoxLayout) {
    setWindowTitle(TableText(caption));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(paths_);
    layout->addLayout(controls_);
    QDialogButtonBox* buttons = MakeDialogButtons(*this, helpContext);
    connect(AddSaveSettingsButton(*buttons), &QPushButton::clicked, this,
            &CBatchSettingsDialog::SaveSettings);
    layout->addWidget(buttons);
}

void CBatchSettingsDialog::AddControls(QWidget* controls) {
    controls_->addWidget(controls);
}

bool CBatchSettingsDialog::ReadGoodControls() {
    ReadControls();
    QWidget* refused = RefusedField();
    if (!refused) return true;
    Platform().Beep();
    refused->setFocus();
    return false;
}

void CBatchSettingsDialog::accept() {
    if (ReadGoodControls()) QDialog::accept();
}

void CBatchSettingsDialog::SaveSettings() {
    if (ReadGoodControls()) StoreSection(store_);
}

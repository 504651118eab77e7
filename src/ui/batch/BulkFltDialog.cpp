#include "ui/batch/BulkFltDialog.h"

#include "ui/batch/AppSegDialog.h"
#include "ui/batch/BatchPathControls.h"
#include "ui/batch/DialogControls.h"
#include "ui/batch/ExifJfifDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>

namespace {

constexpr int kHelpContext = 1800;

} // namespace

CBulkFltDialog::CBulkFltDialog(SettingsStore& store, QWidget* parent)
    : CBatchSettingsDialog(store, StringId::BulkFilterTitle, kHelpContext, parent),
      settings_(LoadBulkFltSettings(store.profile)) {
    AddControls(MakeFilterControls());
    connect(removeAppX_, &QCheckBox::toggled, this, &CBulkFltDialog::ApplyEnablingRules);
    connect(convertExif_, &QCheckBox::toggled, this, &CBulkFltDialog::ApplyEnablingRules);
    connect(appDetails_, &QPushButton::clicked, this,
            [this] { CAppSegDialog(settings_.options, this).exec(); });
    connect(exifDetails_, &QPushButton::clicked, this,
            [this] { CExifJfifDialog(settings_.options, this).exec(); });
    Fill();
}

QWidget* CBulkFltDialog::MakeFilterControls() {
    auto* box = new QGroupBox(this);
    auto* grid = new QGridLayout(box);
    removeThumb_ = MakeCheckBox(StringId::RemoveThumbnail, "removeThumb", box);
    removeJfxx_ = MakeCheckBox(StringId::RemoveJfxx, "removeJfxx", box);
    removeAppX_ = MakeCheckBox(StringId::RemoveAppX, "removeAppX", box);
    appDetails_ = MakeButton(StringId::DetailsButton, "appDetails", box);
    uniteDqt_ = MakeCheckBox(StringId::UniteDqt, "uniteDqt", box);
    uniteDht_ = MakeCheckBox(StringId::UniteDht, "uniteDht", box);
    removeCom_ = MakeCheckBox(StringId::RemoveCom, "removeCom", box);
    convertExif_ = MakeCheckBox(StringId::ConvertExif, "convertExif", box);
    exifDetails_ = MakeButton(StringId::DetailsButton, "exifDetails", box);
    int row = 0;
    for (auto [check, flag] : FilterFlags())
        grid->addWidget(check, row++, 0);
    grid->addWidget(appDetails_, 2, 1);
    grid->addWidget(exifDetails_, 6, 1);
    grid->setColumnStretch(2, 1);
    return box;
}

std::vector<std::pair<QCheckBox*, int32_t*>> CBulkFltDialog::FilterFlags() {
    BulkFltOptions& options = settings_.options;
    return {{removeThumb_, &options.removeThumb}, {removeJfxx_, &options.removeJfxx},
            {removeAppX_, &options.removeAppX},   {uniteDqt_, &options.uniteDqt},
            {uniteDht_, &options.uniteDht},       {removeCom_, &options.removeCom},
            {convertExif_, &options.convertExif}};
}

void CBulkFltDialog::Fill() {
    paths_->SetValues(PathValuesOf(settings_));
    for (auto [box, flag] : FilterFlags())
        box->setChecked(*flag != 0);
    ApplyEnablingRules();
}

void CBulkFltDialog::ReadControls() {
    StorePathValues(paths_->GetValues(), settings_);
    for (auto [box, flag] : FilterFlags())
        *flag = box->isChecked() ? 1 : 0;
}

void CBulkFltDialog::StoreSection(SettingsStore& store) {
    SaveBulkFltSettings(settings_, store);
}

void CBulkFltDialog::ApplyEnablingRules() {
    appDetails_->setEnabled(removeAppX_->isChecked());
    exifDetails_->setEnabled(convertExif_->isChecked());
}

#include "ui/shell/GeneralPage.h"

#include "base/Platform.h"
#include "settings/RecentFiles.h"
#include "settings/SettingRules.h"
#include "settings/SettingsPageRules.h"
#include "ui/kit/FieldRule.h"
#include "ui/kit/TableText.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
constexpr int kHelpContext = 1301;
}

CGeneralPage::CGeneralPage(SettingsStore& settings, QWidget* parent)
    : CSettingsPage(kHelpContext, parent), settings_(settings) {
    QGroupBox* group = AddGroup(StringId::GeneralGroup);
    historyCount_ =
        MakeField(QString::number(settings.maxMRU), "historyCount", group, SettingRule("MaxMRU"));
    FitDigits(historyCount_, 4);
    auto* clear = new QPushButton(TableText(StringId::ClearHistory), group);
    clear->setObjectName("clearHistory");
    connect(clear, &QPushButton::clicked, this, [this] { ClearRecentFiles(settings_); });
    autoUpdateClipboard_ = MakeCheck(StringId::AutoUpdateClipboard, settings.autoUpdateClipboard,
                                     "autoUpdateClipboard", group);
    restoreWindowPos_ =
        MakeCheck(StringId::RestoreWindowPos, settings.restoreWindowPos, "restoreWindowPos", group);
    halftone_ = MakeCheck(StringId::UseHalftone, settings.useHalfToneStretch, "halftone", group);
    autoFitting_ = MakeCheck(StringId::AutoFitting, settings.autoFitting, "autoFitting", group);
    dither_ = MakeCheck(StringId::DitherFor16Bit, settings.useDitherFor16bitColor, "dither", group);
    dither_->setEnabled(DitherChoiceApplies(Platform().ScreenDepth()));
    saveConfig_ = MakeCheck(StringId::SaveConfig, settings.saveConfig, "saveConfig", group);

    auto* grid = new QGridLayout(group);
    grid->addWidget(MakeLabel(StringId::HistoryCount, historyCount_, group), 0, 0);
    grid->addWidget(historyCount_, 0, 1);
    grid->addWidget(clear, 0, 2);
    grid->setColumnStretch(3, 1);
    int row = 1;
    for (QCheckBox* box :
         {autoUpdateClipboard_, restoreWindowPos_, halftone_, autoFitting_, dither_, saveConfig_})
        grid->addWidget(box, row++, 0, 1, 4);
}

void CGeneralPage::Store(SettingsStore& settings) {
    settings.maxMRU = HistoryCountFromText(GoodText(historyCount_).toStdString());
    settings.autoUpdateClipboard = autoUpdateClipboard_->isChecked();
    settings.restoreWindowPos = restoreWindowPos_->isChecked();
    settings.useHalfToneStretch = halftone_->isChecked();
    settings.autoFitting = autoFitting_->isChecked();
    settings.useDitherFor16bitColor = dither_->isChecked();
    settings.saveConfig = saveConfig_->isChecked();
}

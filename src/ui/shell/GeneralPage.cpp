#include "ui/shell/GeneralPage.h"

#include "base/Platform.h"
#include "settings/RecentFiles.h"
#include "settings/SettingRules.h"
#include "settings/SettingsPageRules.h"
#include "ui/kit/FieldRule.h"

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
    QGroupBox* group = AddGroup("一般設定");
    historyCount_ =
        MakeField(QString::number(settings.maxMRU), "historyCount", group, SettingRule("MaxMRU"));
    FitDigits(historyCount_, 4);
    auto* clear = new QPushButton(QString::fromUtf8("ファイル履歴のクリア"), group);
    clear->setObjectName("clearHistory");
    connect(clear, &QPushButton::clicked, this, [this] { ClearRecentFiles(settings_); });
    autoUpdateClipboard_ = MakeCheck("クリップボードの自動更新(&L)", settings.autoUpdateClipboard,
                                     "autoUpdateClipboard", group);
    restoreWindowPos_ = MakeCheck("ウィンドウ位置の記録・復旧(&R)", settings.restoreWindowPos,
                                  "restoreWindowPos", group);
    halftone_ = MakeCheck("拡大縮小表示に HALFTONE を使用する(&H)", settings.useHalfToneStretch,
                          "halftone", group);
    autoFitting_ = MakeCheck("画像オープン時にウィンドウサイズを自動調整する(&W)",
                             settings.autoFitting, "autoFitting", group);
    dither_ = MakeCheck("スクリーンが 15/16bit モードの時ディザ処理を行う(&D)",
                        settings.useDitherFor16bitColor, "dither", group);
    dither_->setEnabled(DitherChoiceApplies(Platform().ScreenDepth()));
    saveConfig_ =
        MakeCheck("終了時に設定情報を保存する(&S)", settings.saveConfig, "saveConfig", group);

    auto* grid = new QGridLayout(group);
    grid->addWidget(MakeLabel("ファイル履歴の個数(&H)(0-9)：", historyCount_, group), 0, 0);
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

#include "ui/shell/PngPage.h"

#include "settings/SettingsPageRules.h"
#include "ui/kit/FieldRule.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace {

constexpr int kHelpContext = 1304;

QLineEdit* MakeGammaField(double gamma, const char* name, QWidget* parent) {
    QLineEdit* field =
        MakeField(QString::fromStdString(GammaText(gamma)), name, parent, PositiveRealRule());
    FitDigits(field, 12);
    return field;
}

double GammaOf(const QLineEdit* field) {
    return GammaFromText(GoodText(field).toStdString());
}

} // namespace

CPngPage::CPngPage(const SettingsStore& settings, QWidget* parent)
    : CSettingsPage(kHelpContext, parent) {
    QGroupBox* group = AddGroup(StringId::PngGroup);
    transparentOnLoad_ = MakeCheck(StringId::TransparentOnLoad, settings.useTransparentOnLoad,
                                   "transparentOnLoad", group);
    gammaCorrection_ =
        MakeCheck(StringId::GammaOnLoad, settings.useGammaCorrection, "gammaCorrection", group);
    defaultGammaOnLoad_ = MakeCheck(StringId::DefaultGammaOnLoad, settings.useDefaultGammaOnLoad,
                                    "defaultGammaOnLoad", group);
    defaultGammaOnSave_ = MakeCheck(StringId::GammaOnSave, settings.useDefaultGammaOnSave,
                                    "defaultGammaOnSave", group);
    defaultGamma_ = MakeGammaField(settings.defaultGamma, "defaultGamma", group);
    screenGamma_ = MakeGammaField(settings.screenGamma, "screenGamma", group);
    useITxt_ = MakeCheck(StringId::UseITxt, settings.usePngITxt, "useITxt", group);
    iTxtLanguage_ =
        MakeField(QString::fromStdString(settings.defaultPngITxtLang), "iTxtLanguage", group);
    EnableWhileTicked(gammaCorrection_, defaultGammaOnLoad_);
    EnableWhileTicked(useITxt_, iTxtLanguage_);

    auto* grid = new QGridLayout(group);
    grid->addWidget(transparentOnLoad_, 0, 0, 1, 3);
    grid->addWidget(gammaCorrection_, 1, 0, 1, 3);
    grid->addWidget(defaultGammaOnLoad_, 2, 1, 1, 2);
    grid->addWidget(defaultGammaOnSave_, 3, 0, 1, 3);
    grid->addWidget(MakeLabel(StringId::DefaultGammaLabel, defaultGamma_, group), 4, 0, 1, 2);
    grid->addWidget(defaultGamma_, 4, 2);
    grid->addWidget(MakeLabel(StringId::ScreenGammaLabel, screenGamma_, group), 5, 0, 1, 2);
    grid->addWidget(screenGamma_, 5, 2);
    grid->addWidget(useITxt_, 6, 0, 1, 3);
    grid->addWidget(MakeLabel(StringId::ITxtLanguageLabel, iTxtLanguage_, group), 7, 1);
    grid->addWidget(iTxtLanguage_, 7, 2);
    grid->setColumnMinimumWidth(0, 16);
}

void CPngPage::Store(SettingsStore& settings) {
    settings.useTransparentOnLoad = transparentOnLoad_->isChecked();
    settings.useGammaCorrection = gammaCorrection_->isChecked();
    settings.useDefaultGammaOnLoad = defaultGammaOnLoad_->isChecked();
    settings.useDefaultGammaOnSave = defaultGammaOnSave_->isChecked();
    settings.defaultGamma = GammaOf(defaultGamma_);
    settings.screenGamma = GammaOf(screenGamma_);
    settings.usePngITxt = useITxt_->isChecked();
    settings.defaultPngITxtLang = GoodText(iTxtLanguage_).toStdString();
}

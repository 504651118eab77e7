#pragma once
// The "PNG" page of the settings sheet: transparency and gamma when PNG files are read, the
// gamma values, and iTXt comments with their language.
#include "ui/shell/SettingsPage.h"

class QCheckBox;
class QLineEdit;

class CPngPage : public CSettingsPage {
public:
    CPngPage(const SettingsStore& settings, QWidget* parent);

    void Store(SettingsStore& settings) override;

private:
    QCheckBox* transparentOnLoad_;
    QCheckBox* gammaCorrection_;
    QCheckBox* defaultGammaOnLoad_;
    QCheckBox* defaultGammaOnSave_;
    QLineEdit* defaultGamma_;
    QLineEdit* screenGamma_;
    QCheckBox* useITxt_;
    QLineEdit* iTxtLanguage_;
};

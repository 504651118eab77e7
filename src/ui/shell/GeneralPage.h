#pragma once
// The "一般" page of the settings sheet: the recent-file count and its clearing, clipboard,
// window and display options, and whether the settings are saved at exit.
#include "ui/shell/SettingsPage.h"

class QCheckBox;
class QLineEdit;

class CGeneralPage : public CSettingsPage {
public:
    CGeneralPage(SettingsStore& settings, QWidget* parent);

    void Store(SettingsStore& settings) override;

private:
    SettingsStore& settings_; // the history is cleared at once, not on OK
    QLineEdit* historyCount_;
    QCheckBox* autoUpdateClipboard_;
    QCheckBox* restoreWindowPos_;
    QCheckBox* halftone_;
    QCheckBox* autoFitting_;
    QCheckBox* dither_;
    QCheckBox* saveConfig_;
};

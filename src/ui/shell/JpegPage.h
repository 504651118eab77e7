#pragma once
// The "JPEG" page of the settings sheet: the directory of intermediate files, the density
// written into JFIF headers, restart markers and the custom quantization tables.
#include "ui/shell/SettingsPage.h"

#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;

class CJpegPage : public CSettingsPage {
public:
    CJpegPage(const SettingsStore& settings, QWidget* parent);

    // What "DQT 設定(&Q)..." runs: the custom table dialog, which stores its tables itself,
    // independent of the sheet's OK. Without one the button does nothing.
    void SetEditCustomTables(std::function<void()> edit) { editCustomTables_ = std::move(edit); }
    void Store(SettingsStore& settings) override;

private:
    void BrowseTempDir();

    QLineEdit* tempDir_;
    QLineEdit* resolutionH_;
    QLineEdit* resolutionV_;
    QComboBox* unit_;
    QCheckBox* includeRst_;
    QCheckBox* useCustomDqt_;
    std::function<void()> editCustomTables_;
};

#pragma once
// The settings dialog of the batch conversion, "JPEG/PNG 一括変換": folders, log, target size,
// file selection and output type. It opens with the stored "bulkconv" section; OK keeps the
// controls' values for this run only, "この設定を保存" writes them into the profile.
#include "batch/BulkConvSettings.h"
#include "ui/batch/BatchSettingsDialog.h"

#include <functional>

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QPushButton;

class CBulkConvDialog : public CBatchSettingsDialog {
    Q_OBJECT
public:
    CBulkConvDialog(SettingsStore& store, QWidget* parent = nullptr);

    // The values after OK (before, those the dialog opened with).
    const BulkConvSettings& Settings() const { return settings_; }
    // What "設定(&G)..." runs: the PNG save options, which the writers use for every later PNG.
    void SetPngSettingsHook(std::function<void(QWidget*)> hook) {
        editPngSettings_ = std::move(hook);
    }

private:
    QWidget* MakeSizeControls();
    QWidget* MakeOutputControls();
    void Fill();
    void ReadControls() override;
    // A side of the base size outside 1 ... 65535 (empty, 0) while a mode uses it.
    QWidget* RefusedField() const override;
    void StoreSection(SettingsStore& store) override;
    void ApplyEnablingRules();

    BulkConvSettings settings_;
    QButtonGroup* sizeMode_ = nullptr;
    QButtonGroup* alignMode_ = nullptr;
    QLineEdit* width_ = nullptr;
    QLineEdit* height_ = nullptr;
    QCheckBox* notEnlarge_ = nullptr;
    QCheckBox* altIsOriginalSize_ = nullptr;
    QCheckBox* usePng_ = nullptr;
    QPushButton* pngSettings_ = nullptr;
    QCheckBox* keepSourceType_ = nullptr;
    std::function<void(QWidget*)> editPngSettings_;
};

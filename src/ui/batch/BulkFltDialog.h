#pragma once
// The settings dialog of the batch filter, "JPEG 一括フィルタ": folders, log, file selection
// and the filters, with two detail dialogs for the APPn codes and the Exif conversion. It opens
// with the stored "bulkfilter" section; OK keeps the values for this run only, "この設定を保存"
// writes them (the details included) into the profile.
#include "batch/BulkFltSettings.h"
#include "ui/batch/BatchSettingsDialog.h"

#include <utility>
#include <vector>

class QCheckBox;
class QPushButton;

class CBulkFltDialog : public CBatchSettingsDialog {
    Q_OBJECT
public:
    CBulkFltDialog(SettingsStore& store, QWidget* parent = nullptr);

    const BulkFltSettings& Settings() const { return settings_; }

private:
    QWidget* MakeFilterControls();
    // The main dialog's filter boxes, in their order, with the flags they show.
    std::vector<std::pair<QCheckBox*, int32_t*>> FilterFlags();
    void Fill();
    // The controls of this dialog into the settings; the details keep what their dialogs set.
    void ReadControls() override;
    void StoreSection(SettingsStore& store) override;
    void ApplyEnablingRules();

    BulkFltSettings settings_;
    QCheckBox* removeThumb_ = nullptr;
    QCheckBox* removeJfxx_ = nullptr;
    QCheckBox* removeAppX_ = nullptr;
    QPushButton* appDetails_ = nullptr;
    QCheckBox* uniteDqt_ = nullptr;
    QCheckBox* uniteDht_ = nullptr;
    QCheckBox* removeCom_ = nullptr;
    QCheckBox* convertExif_ = nullptr;
    QPushButton* exifDetails_ = nullptr;
};

#pragma once
// What the two batch settings dialogs share: the caption, the folder and selection controls on
// top, the dialog's own controls below them, and the row "OK", "この設定を保存", "Cancel",
// "&Help". OK reads the controls into the dialog's settings for this run only; "この設定を保存"
// reads them and writes the section into the profile.
#include "base/StringTable.h"
#include "settings/SettingsStore.h"

#include <QDialog>

class CBatchPathControls;
class QVBoxLayout;

class CBatchSettingsDialog : public QDialog {
    Q_OBJECT
public:
    CBatchPathControls* PathControls() const { return paths_; }
    void accept() override;

protected:
    CBatchSettingsDialog(SettingsStore& store, StringId caption, int helpContext, QWidget* parent);
    // Places the dialog's own controls below the folders, in the order of the calls.
    void AddControls(QWidget* controls);
    // The controls into the settings.
    virtual void ReadControls() = 0;
    // After ReadControls: the field whose value the run cannot use, or null when all are good.
    virtual QWidget* RefusedField() const { return nullptr; }
    // Writes the settings as the profile section.
    virtual void StoreSection(SettingsStore& store) = 0;

    CBatchPathControls* paths_;

private:
    // ReadControls; false, with a beep and the focus on the field, when a value is refused.
    bool ReadGoodControls();
    void SaveSettings();

    SettingsStore& store_;
    QVBoxLayout* controls_;
};

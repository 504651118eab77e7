#pragma once
// The control bar: JPEG quality, sampling and encoding, which the settings take only when a
// document makes its tables, a JPEG is written or the window closes; and the comment box and
// edit button, which show the active document's comment flag and send their commands.
#include "base/StringTable.h"
#include "settings/SettingsStore.h"

#include <QToolBar>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class CQualitySpin;

class CControlBar : public QToolBar {
    Q_OBJECT
public:
    // commentCommand and editCommand are the actions the box and the button send.
    CControlBar(const SettingsStore& settings, QAction* commentCommand, QAction* editCommand,
                QWidget* parent = nullptr);

    // Copies the three values into the settings; a quality that had to change shows as stored.
    void Commit(SettingsStore& settings);
    // The comment box shows the flag; the edit button is enabled exactly when it is ticked.
    void ShowComment(bool include);
    // The quality label, field and arrows (disabled while custom tables are in use).
    void EnableQuality(bool enable);
    // Keyboard focus for the commands that move it into the bar.
    void FocusQuality();
    void FocusSampling();
    void FocusEncoding();

    CQualitySpin* QualityField() const { return quality_; }
    QComboBox* SamplingList() const { return sampling_; }
    QComboBox* EncodingList() const { return encoding_; }
    QCheckBox* CommentBox() const { return comment_; }
    QPushButton* EditButton() const { return edit_; }

private:
    void AddLabel(StringId caption);
    void FillLists(const SettingsStore& settings);

    QLabel* qualityLabel_ = nullptr;
    CQualitySpin* quality_ = nullptr;
    QComboBox* sampling_ = nullptr;
    QComboBox* encoding_ = nullptr;
    QCheckBox* comment_ = nullptr;
    QPushButton* edit_ = nullptr;
};

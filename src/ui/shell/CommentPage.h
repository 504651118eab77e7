#pragma once
// The "コメント" page of the settings sheet: the default comment file and its use, and the
// charsets in which comments are read and written.
#include "ui/shell/SettingsPage.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

class CCommentPage : public CSettingsPage {
public:
    CCommentPage(const SettingsStore& settings, QWidget* parent);

    void Store(SettingsStore& settings) override;

private:
    void BrowseCommentFile();

    QLineEdit* path_;
    QCheckBox* defaultComment_;
    QCheckBox* autoRead_;
    QComboBox* readCharset_;
    QCheckBox* autoWrite_;
    QComboBox* writeCharset_;
};

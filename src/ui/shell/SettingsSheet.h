#pragma once
// The settings sheet "環境設定": the pages 一般, コメント, JPEG and PNG with OK, Cancel and Help.
// OK stores every page that has been shown; Cancel stores nothing (what a page does at once,
// clearing the history or editing the custom tables, stays done).
#include "settings/SettingsStore.h"

#include <QDialog>
#include <vector>

class CJpegPage;
class CSettingsPage;
class QTabWidget;

class CSettingsSheet : public QDialog {
public:
    CSettingsSheet(SettingsStore& settings, QWidget* parent);

    CJpegPage* JpegPage() const { return jpegPage_; }
    QTabWidget* Tabs() const { return tabs_; }

    void accept() override;

private:
    void AddPage(CSettingsPage* page, const QString& caption, const char* name);
    void ShowHelp();

    SettingsStore& settings_;
    QTabWidget* tabs_;
    std::vector<CSettingsPage*> pages_;
    CJpegPage* jpegPage_ = nullptr;
};

#pragma once
// The clipboard as the main window follows it: whether it holds an image, Paste into the
// clipboard document, and the automatic update that freezes the clipboard document and pastes
// the new picture whenever the clipboard changes.
#include <QObject>

class CDocTemplate;
class ICommandWindow;
struct SettingsStore;

class CClipboardWatch : public QObject {
public:
    CClipboardWatch(SettingsStore& settings, CDocTemplate& documents, ICommandWindow& window);

    bool HasImage() const { return hasImage_; }
    // Reads the clipboard now and again whenever it changes.
    void Follow();
    // The window's first show: from now on the automatic update applies, starting with the
    // clipboard as it is.
    void StartAutoUpdate();
    // The clipboard's image into the clipboard document.
    void Paste();

private:
    // Caches whether the clipboard holds an image; with automatic update the clipboard
    // document is frozen and the new picture pasted.
    void OnChanged();

    SettingsStore& settings_;
    CDocTemplate& documents_;
    ICommandWindow& window_;
    bool hasImage_ = false;
    bool autoUpdating_ = false;
    int counter_ = 0; // the "(n)" of the last frozen clipboard document
};

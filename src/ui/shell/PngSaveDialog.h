#pragma once
// The PNG save options "PNG 保存設定": format and colours, interlace, a transparent colour and an
// embedded gamma. With a document it starts from what the document's file was and OK changes
// the document (and, for a pasted image, the settings too); without one it edits the PNG
// settings that later saves use.
#include "core/PngSaveChoices.h"
#include "settings/SettingsStore.h"

#include <QDialog>

class CImageDoc;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

class CPngSaveDialog : public QDialog {
public:
    CPngSaveDialog(SettingsStore& settings, CImageDoc* document, QWidget* parent);

    void accept() override;

private:
    void ChooseColor();

    SettingsStore& settings_;
    CImageDoc* document_;
    RgbQuad color_;
    QComboBox* mode_;
    QCheckBox* interlace_;
    QCheckBox* transparent_;
    QPushButton* colorButton_;
    QCheckBox* writeGamma_;
    QLineEdit* gamma_;
};

// Shows the dialog modally; true when it ended with OK (and stored its choices).
bool EditPngSaveOptions(QWidget* parent, SettingsStore& settings, CImageDoc* document);

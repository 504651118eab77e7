#pragma once
// The image size dialog "画像サイズの変更": width, height and "keep the aspect ratio", whose rule
// SizeDialogModel holds. After OK the chosen size is read from it.
#include "base/StringTable.h"
#include "imageops/SizeDialogModel.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;

class CSizeDialog : public QDialog {
    Q_OBJECT
public:
    CSizeDialog(uint32_t width, uint32_t height, QWidget* parent = nullptr);

    uint32_t ChosenWidth() const { return model_.ChosenWidth(); }
    uint32_t ChosenHeight() const { return model_.ChosenHeight(); }

    // Refused with a beep while a side is 0 or past the largest picture.
    void accept() override;

private:
    // A side field: a whole number from 1 to the largest side (FieldRule.h).
    QLineEdit* AddField(StringId caption, const char* name);
    // The model takes the field's text as the user's edit.
    void TakeField(QLineEdit* field);
    const std::string& ModelText(const QLineEdit* field) const;
    // Both fields as the model holds them; the one being typed in is left as it is.
    void ShowFields();

    SizeDialogModel model_;
    QLineEdit* width_ = nullptr;
    QLineEdit* height_ = nullptr;
    QCheckBox* keepAspect_ = nullptr;
};

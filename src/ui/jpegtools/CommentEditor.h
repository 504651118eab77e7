#pragma once
// The comment editor "コメント編集": a keyword combo with an editable field, "Ins" and "Del"
// beside it, a multi-line edit for the chosen comment's text, "&File..." and "&Help". It works
// on its own copy of the list (CommentEditList); the caller takes EditedComments() after OK.
// Comments are held in Shift_JIS and edited as Unicode; a character Shift_JIS cannot hold is
// refused with a message that names it.
#include "core/CommentEditList.h"

#include <QDialog>
#include <optional>
#include <string>

class QComboBox;
class QPlainTextEdit;
class QPushButton;

class CCommentEditor : public QDialog {
    Q_OBJECT
public:
    CCommentEditor(const std::vector<std::unique_ptr<const CommentItem>>& comments,
                   const CommentItem* chosen, QWidget* parent = nullptr);

    // The edited list, in order; what the document takes after OK.
    const std::vector<CommentItem>& EditedComments() const { return list_.Items(); }

    void accept() override;

private:
    void CreateControls();
    void ConnectControls();
    // The keyword field, the edit and the buttons after the current record changed.
    void ShowCurrent();
    void UpdateButtons();
    void ChooseKeyword(int index);
    void TypeKeyword(const QString& typed);
    void InsertKeyword();
    void DeleteKeyword();
    void ReadTextFile();
    // The edit's text becomes the file's decoded text; a file that cannot be read or decoded
    // is reported and changes nothing.
    void LoadTextFile(const QString& path);
    // The edit's text into the current record, when it was edited. False when Shift_JIS cannot
    // hold a character of it; the user was told, and the character is selected.
    bool StoreEditText();
    // The edit's text in Shift_JIS with CR LF line ends, or nothing as for StoreEditText.
    std::optional<std::string> EditTextAsStored();

    CommentEditList list_;
    QComboBox* keyword_ = nullptr;
    QPushButton* insert_ = nullptr;
    QPushButton* delete_ = nullptr;
    QPlainTextEdit* text_ = nullptr;
};

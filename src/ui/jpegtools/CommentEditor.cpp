#include "ui/jpegtools/CommentEditor.h"

#include "base/Platform.h"
#include "base/StringTable.h"
#include "jpegtools/CodePage.h"
#include "jpegtools/CommentFile.h"
#include "settings/SettingsStore.h"
#include "ui/kit/FileDialogFilters.h"
#include "ui/kit/HelpContext.h"
#include "ui/kit/TableText.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kHelpContext = 1310;
constexpr char16_t kUndecodable = u'\uFFFD';

// Shift_JIS text as the edit shows it: Unicode, lines ended by "\n". A byte Shift_JIS does not
// define shows as U+FFFD, which storing refuses, so nothing turns into '?' unnoticed.
QString FromShiftJis(const std::string& sjis) {
    const std::vector<uint16_t> units = ShiftJisToUnits(sjis, kUndecodable);
    QString text(reinterpret_cast<const QChar*>(units.data()),
                 static_cast<qsizetype>(units.size()));
    return text.replace("\r\n", "\n");
}

// The text in Shift_JIS; nothing when a character has no Shift_JIS form, whose position
// `refused` then holds.
std::optional<std::string> ToShiftJis(const QString& text, qsizetype& refused) {
    const std::vector<uint16_t> units(text.utf16(), text.utf16() + text.size());
    size_t index = 0;
    std::optional<std::string> bytes = UnitsToShiftJisExact(units, index);
    refused = static_cast<qsizetype>(index);
    return bytes;
}

// The length of the character at `index` (2 for a surrogate pair).
qsizetype CharacterLength(const QString& text, qsizetype index) {
    return text[index].isHighSurrogate() && index + 1 < text.size() ? 2 : 1;
}

// Tells the user which character of `text` Shift_JIS cannot hold.
void TellRefused(const QString& text, qsizetype index) {
    const QString character = text.mid(index, CharacterLength(text, index));
    const char32_t codePoint = character.toUcs4().value(0);
    const QString message =
        QString::asprintf(LoadString(StringId::NotShiftJis).c_str(), character.toUtf8().constData(),
                          static_cast<unsigned>(codePoint));
    Platform().ShowMessage(message.toStdString(), MessageKind::Warning, Buttons::Ok);
}

// Lines joined by CR LF; a line feed is never a trail byte of Shift_JIS, so the line ends can
// be widened after the conversion.
std::string WithCrLf(const std::string& text) {
    std::string joined;
    joined.reserve(text.size());
    for (char c : text) {
        if (c == '\n') joined += '\r';
        joined += c;
    }
    return joined;
}

QPushButton* Button(const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setAutoDefault(false);
    return button;
}

} // namespace

CCommentEditor::CCommentEditor(const std::vector<std::unique_ptr<const CommentItem>>& comments,
                               const CommentItem* chosen, QWidget* parent)
    : QDialog(parent), list_(comments, chosen) {
    setWindowTitle(TableText(StringId::CommentEditorTitle));
    CreateControls();
    for (const CommentItem& item : list_.Items())
        keyword_->addItem(FromShiftJis(item.key));
    keyword_->setCurrentIndex(list_.Current());
    ShowCurrent();
    ConnectControls();
    text_->setFocus();
}

void CCommentEditor::CreateControls() {
    auto* label = new QLabel("&Keyword", this);
    keyword_ = new QComboBox(this);
    keyword_->setObjectName("keyword");
    keyword_->setEditable(true);
    keyword_->setInsertPolicy(QComboBox::NoInsert);
    keyword_->setCompleter(nullptr); // a keyword is matched exactly, never completed
    keyword_->setMinimumContentsLength(16);
    label->setBuddy(keyword_);
    insert_ = Button("Ins", this);
    insert_->setObjectName("insert");
    delete_ = Button("Del", this);
    delete_->setObjectName("delete");
    text_ = new QPlainTextEdit(this);
    text_->setObjectName("text");
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setTabChangesFocus(true);
    text_->setMinimumSize(text_->fontMetrics().horizontalAdvance('x') * 60,
                          text_->fontMetrics().lineSpacing() * 10);

    auto* ok = new QPushButton("OK", this);
    ok->setDefault(true);
    QPushButton* cancel = Button("Cancel", this);
    QPushButton* file = Button("&File...", this);
    file->setObjectName("file");
    QPushButton* help = Button("&Help", this);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(file, &QPushButton::clicked, this, &CCommentEditor::ReadTextFile);
    connect(help, &QPushButton::clicked, this, [this] { ShowHelpContext(this, kHelpContext); });
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {ok, cancel, file, help})
        buttons->addWidget(button);
    buttons->addStretch();

    auto* layout = new QGridLayout(this);
    auto* keywordRow = new QHBoxLayout;
    keywordRow->addWidget(label);
    keywordRow->addWidget(keyword_, 1);
    keywordRow->addWidget(insert_);
    keywordRow->addWidget(delete_);
    layout->addLayout(keywordRow, 0, 0);
    layout->addWidget(text_, 1, 0);
    layout->addLayout(buttons, 0, 1, 2, 1);
    setTabOrder(keyword_, insert_);
    setTabOrder(insert_, delete_);
    setTabOrder(delete_, text_);
    setTabOrder(text_, ok);
}

void CCommentEditor::ConnectControls() {
    connect(keyword_, &QComboBox::activated, this, &CCommentEditor::ChooseKeyword);
    connect(keyword_->lineEdit(), &QLineEdit::textEdited, this, &CCommentEditor::TypeKeyword);
    connect(insert_, &QPushButton::clicked, this, &CCommentEditor::InsertKeyword);
    connect(delete_, &QPushButton::clicked, this, &CCommentEditor::DeleteKeyword);
}

void CCommentEditor::ShowCurrent() {
    if (const CommentItem* item = list_.CurrentItem()) {
        text_->setPlainText(FromShiftJis(item->text));
        text_->document()->setModified(false);
    }
    text_->setEnabled(list_.CanEdit());
    UpdateButtons();
}

void CCommentEditor::UpdateButtons() {
    insert_->setEnabled(list_.CanInsert());
    delete_->setEnabled(list_.CanDelete());
}

void CCommentEditor::ChooseKeyword(int index) {
    if (!StoreEditText()) {
        keyword_->setCurrentIndex(list_.Current()); // stays with the text that was refused
        return;
    }
    list_.Select(index);
    ShowCurrent();
}

void CCommentEditor::TypeKeyword(const QString& typed) {
    if (!StoreEditText()) {
        keyword_->setEditText(FromShiftJis(list_.CurrentItem()->key));
        return;
    }
    qsizetype refused = 0;
    list_.TypeKeyword(ToShiftJis(typed, refused));
    if (list_.CanEdit()) {
        const int cursor = keyword_->lineEdit()->cursorPosition();
        keyword_->setCurrentIndex(list_.Current());
        keyword_->lineEdit()->setCursorPosition(cursor);
        ShowCurrent();
        return;
    }
    text_->clear();
    text_->setEnabled(false);
    UpdateButtons();
}

void CCommentEditor::InsertKeyword() {
    if (!list_.CanInsert()) {
        Platform().Beep();
        return;
    }
    const QString keyword = keyword_->currentText();
    qsizetype refused = 0;
    std::optional<std::string> key = ToShiftJis(keyword, refused);
    if (!key) {
        TellRefused(keyword, refused);
        keyword_->lineEdit()->setSelection(static_cast<int>(refused),
                                           static_cast<int>(CharacterLength(keyword, refused)));
        return;
    }
    std::optional<std::string> text = EditTextAsStored();
    if (!text) return;
    list_.Insert({AppSettings().defaultCommentCharset, *key, *text});
    keyword_->addItem(keyword);
    keyword_->setCurrentIndex(list_.Current());
    ShowCurrent();
    text_->setFocus();
}

void CCommentEditor::DeleteKeyword() {
    if (!list_.CanDelete()) {
        Platform().Beep();
        return;
    }
    const int index = list_.Current();
    list_.DeleteCurrent();
    keyword_->removeItem(index);
    keyword_->setCurrentIndex(list_.Current());
    ShowCurrent();
}

void CCommentEditor::ReadTextFile() {
    QFileDialog dialog(this, TableText(StringId::CommentOpenTitle));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(FileDialogNameFilters(StringId::TextFileFilter));
    if (dialog.exec() && !dialog.selectedFiles().isEmpty())
        LoadTextFile(dialog.selectedFiles().first());
}

void CCommentEditor::LoadTextFile(const QString& path) {
    const std::optional<std::vector<uint16_t>> units = ReadCommentFile(path.toStdString());
    if (!units) return; // reported; the edit keeps its text
    QString text(reinterpret_cast<const QChar*>(units->data()),
                 static_cast<qsizetype>(units->size()));
    text_->setPlainText(text.replace("\r\n", "\n"));
    text_->document()->setModified(true);
}

void CCommentEditor::accept() {
    if (StoreEditText()) QDialog::accept();
}

bool CCommentEditor::StoreEditText() {
    // An untouched record keeps its bytes, even those the edit cannot show.
    if (!list_.CanEdit() || !text_->document()->isModified()) return true;
    std::optional<std::string> text = EditTextAsStored();
    if (!text) return false;
    list_.SetCurrentText(*text);
    text_->document()->setModified(false);
    return true;
}

std::optional<std::string> CCommentEditor::EditTextAsStored() {
    // Every line is kept whole, however long.
    const QString text = text_->toPlainText();
    qsizetype refused = 0;
    std::optional<std::string> bytes = ToShiftJis(text, refused);
    if (bytes) return WithCrLf(*bytes);
    TellRefused(text, refused);
    QTextCursor cursor(text_->document());
    cursor.setPosition(static_cast<int>(refused));
    cursor.setPosition(static_cast<int>(refused + CharacterLength(text, refused)),
                       QTextCursor::KeepAnchor);
    text_->setTextCursor(cursor);
    text_->setFocus();
    return std::nullopt;
}

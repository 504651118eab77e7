#include "ui/jpegtools/SegmentHexEdit.h"

#include "jpegtools/SegmentHexText.h"
#include "ui/kit/TableText.h"

#include <QFontDatabase>
#include <QScopedValueRollback>
#include <QTextBlock>

namespace {

// The face of the string table, else the system's fixed-pitch font, at the dialog font's size.
QFont HexFont(const QFont& dialogFont) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setFamilies({TableText(StringId::FixedFontFace), font.family()});
    font.setFixedPitch(true);
    font.setPointSizeF(dialogFont.pointSizeF());
    return font;
}

} // namespace

CSegmentHexEdit::CSegmentHexEdit(QWidget* parent) : QPlainTextEdit(parent) {
    setFont(HexFont(font()));
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setTabChangesFocus(true);
    connect(document(), &QTextDocument::contentsChange, this, &CSegmentHexEdit::OnContentsChange);
}

int CSegmentHexEdit::Length() const {
    return document()->characterCount() - 1; // without the closing paragraph separator
}

void CSegmentHexEdit::Fill(const std::string& hexText) {
    QScopedValueRollback<bool> filling(filling_, true);
    filled_ = hexText;
    setPlainText(QString::fromStdString(hexText).replace("\r\n", "\n"));
    length_ = Length();
}

void CSegmentHexEdit::SelectRange(TextRange range) {
    const TextRange shown = LineFeedRange(filled_, range);
    QTextCursor cursor(document());
    cursor.setPosition(static_cast<int>(std::min<size_t>(shown.start, Length())));
    cursor.setPosition(static_cast<int>(std::min<size_t>(shown.end, Length())),
                       QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    ensureCursorVisible();
}

std::string CSegmentHexEdit::Text() const {
    return toPlainText().toStdString();
}

void CSegmentHexEdit::OnContentsChange(int position, int, int added) {
    if (filling_) return;
    const int before = length_;
    length_ = Length();
    const auto excess = static_cast<int>(CharactersOverLimit(before, length_, kTypingLimit));
    if (excess > 0) {
        QScopedValueRollback<bool> trimming(filling_, true);
        QTextCursor cursor(document());
        cursor.setPosition(position + added - excess);
        cursor.setPosition(position + added, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        length_ = Length();
    }
    emit edited();
}

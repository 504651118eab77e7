#pragma once
// The inspector's hex text: a fixed-pitch plain text edit that holds a segment's hex text with
// "\n" line ends and selects byte ranges given in the positions of its "\r\n" form. Typing is
// limited to 65,535 characters, while a longer text the program fills in stays whole.
#include <QPlainTextEdit>
#include <string>

struct TextRange;

class CSegmentHexEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    static constexpr size_t kTypingLimit = 65535;

    explicit CSegmentHexEdit(QWidget* parent = nullptr);

    // Replaces the text by a hex text with "\r\n" line ends; emits no edited().
    void Fill(const std::string& hexText);
    // Selects a range of the filled text's "\r\n" form and scrolls it into view.
    void SelectRange(TextRange range);
    // The text as the user left it.
    std::string Text() const;

signals:
    // The user changed the text.
    void edited();

private:
    void OnContentsChange(int position, int removed, int added);
    int Length() const;

    std::string filled_; // the text as filled, with "\r\n" line ends
    int length_ = 0;     // characters before the latest change
    bool filling_ = false;
};

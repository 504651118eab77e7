#pragma once
// The platform services for the GUI: message boxes (shown by the GUI thread whichever thread
// asks), the wait cursor, the beep.
#include "base/HeadlessPlatform.h"

class QWidget;

class QtPlatform : public IPlatform {
public:
    Answer ShowMessage(const std::string& text, MessageKind kind, Buttons buttons) override;
    void Beep() override;
    void SetWaitCursor(bool on) override;
    int ScreenDepth() const override;
    std::string TempDirectory() const override { return headless_.TempDirectory(); }

    // The window that message boxes belong to.
    void SetParentWindow(QWidget* window) { parent_ = window; }

private:
    HeadlessPlatform headless_;
    QWidget* parent_ = nullptr;
};

// A question box of the application whose default button is the one of defaultAnswer.
Answer AskQuestion(QWidget* parent, const std::string& text, Buttons buttons, Answer defaultAnswer);

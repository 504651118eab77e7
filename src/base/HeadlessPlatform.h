#pragma once
// The platform without a screen: messages are kept in a list (and echoed to stderr when asked),
// safely from any thread; questions get a preset answer, the screen depth is whatever the caller
// sets.
#include "base/Platform.h"

#include <atomic>
#include <mutex>
#include <vector>

class HeadlessPlatform : public IPlatform {
public:
    struct Message {
        std::string text;
        MessageKind kind;
    };

    Answer ShowMessage(const std::string& text, MessageKind kind, Buttons buttons) override;
    void Beep() override { ++beeps_; }
    void SetWaitCursor(bool on) override { waitDepth_ += on ? 1 : -1; }
    int ScreenDepth() const override { return screenDepth_; }
    std::string TempDirectory() const override;

    void SetScreenDepth(int bits) { screenDepth_ = bits; }
    void SetEchoToStderr(bool echo) { echo_ = echo; }
    void SetAnswer(Answer answer) { answer_ = answer; }
    const std::vector<Message>& Messages() const { return messages_; }
    void ClearMessages() {
        std::lock_guard lock(mutex_);
        messages_.clear();
    }
    int Beeps() const { return beeps_; }
    int WaitDepth() const { return waitDepth_; }

private:
    std::mutex mutex_; // messages may come from worker threads
    std::vector<Message> messages_;
    std::atomic<int> beeps_ = 0;
    std::atomic<int> waitDepth_ = 0; // batch workers save files on threads of their own
    int screenDepth_ = 32;
    bool echo_ = false;
    Answer answer_ = Answer::Yes;
};

// The process-wide headless platform (the default one).
HeadlessPlatform& Headless();

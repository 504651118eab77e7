#pragma once
// Services the program takes from its platform: message boxes, questions, the wait cursor,
// the beep, the screen depth and the temporary directory. The logic calls them through this
// interface; the headless implementation serves the CLI and the tests, the Qt one the GUI.
#include <string>

enum class Answer { Yes, No, Cancel, Ok };
enum class Buttons { Ok, YesNo, YesNoCancel, OkCancel };
enum class MessageKind { Error, Warning, Information, Question };

class IPlatform {
public:
    virtual ~IPlatform() = default;
    // Shows a message (the error form has the stop icon) and returns the button pressed.
    virtual Answer ShowMessage(const std::string& text, MessageKind kind, Buttons buttons) = 0;
    virtual void Beep() = 0;
    virtual void SetWaitCursor(bool on) = 0;
    // Bits per pixel of the display that images are prepared for.
    virtual int ScreenDepth() const = 0;
    // The system's temporary directory, ending with "/".
    virtual std::string TempDirectory() const = 0;
};

// The platform in use by this process; the headless one until another is installed.
IPlatform& Platform();
// Installs a platform (not owned); nullptr goes back to the headless one.
void InstallPlatform(IPlatform* platform);

// Shows the wait cursor for the lifetime of the object.
class WaitCursor {
public:
    WaitCursor() { Platform().SetWaitCursor(true); }
    ~WaitCursor() { Platform().SetWaitCursor(false); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

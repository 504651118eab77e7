#include "cli/TerminalProgress.h"

#include <algorithm>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t interrupted = 0;

void OnInterrupt(int) {
    interrupted = 1;
}

constexpr size_t kBarWidth = 20;
constexpr size_t kDefaultColumns = 80;
constexpr const char* kClearToEnd = "\x1B[K";

// The tail of a UTF-8 text that fits `width` bytes, marked with "..." when cut; the cut never
// splits a character.
std::string FitFromLeft(const std::string& text, size_t width) {
    if (text.size() <= width) return text;
    if (width <= 3) return "";
    size_t start = text.size() - (width - 3);
    while (start < text.size() && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80)
        ++start;
    return "..." + text.substr(start);
}

std::string Bar(int position, int total) {
    const size_t filled = total > 0 ? kBarWidth * std::clamp(position, 0, total) / total : 0;
    return "[" + std::string(filled, '#') + std::string(kBarWidth - filled, '.') + "]";
}

} // namespace

CTerminalProgress::CTerminalProgress(FILE* stream)
    : stream_(stream), terminal_(isatty(fileno(stream)) != 0) {
    interrupted = 0;
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    sigaction(SIGINT, &action, &previous_);
}

CTerminalProgress::~CTerminalProgress() {
    ClearLine();
    sigaction(SIGINT, &previous_, nullptr);
}

size_t CTerminalProgress::Columns() const {
    winsize size{};
    if (ioctl(fileno(stream_), TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
    return kDefaultColumns;
}

void CTerminalProgress::ClearLine() {
    if (!drawn_) return;
    std::fprintf(stream_, "\r%s", kClearToEnd);
    std::fflush(stream_);
    drawn_ = false;
}

// Processing shows the bar and count/total; the search its status and the count so far.
void CTerminalProgress::Draw() {
    if (!terminal_) return;
    std::string line =
        total_ > 0 ? Bar(position_, total_) + " " + counter_ : status_ + " " + counter_;
    const size_t columns = Columns() - 1; // the cursor stays on the line
    if (line.size() + 1 < columns) line += " " + FitFromLeft(path_, columns - line.size() - 1);
    std::fprintf(stream_, "\r%s%s", line.c_str(), kClearToEnd);
    std::fflush(stream_);
    drawn_ = true;
}

void CTerminalProgress::SetStatus(const std::string& text) {
    status_ = text;
    Draw();
}

void CTerminalProgress::SetCounter(const std::string& text) {
    counter_ = text;
    Draw();
}

void CTerminalProgress::SetPath(const std::string& text) {
    path_ = text;
    Draw();
}

void CTerminalProgress::SetRange(int total) {
    total_ = total;
    position_ = 0;
    Draw();
}

void CTerminalProgress::Step() {
    ++position_;
    Draw();
}

bool CTerminalProgress::KeepGoing() {
    return interrupted == 0;
}

void CTerminalProgress::Failed(const std::string& message) {
    ClearLine();
    std::fprintf(stream_, "%s\n", message.c_str());
    Draw();
}

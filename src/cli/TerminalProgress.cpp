#include "cli/TerminalProgress.h"

#include "cli/CliReports.h"

#include <cstdio>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t interrupted = 0;

void OnInterrupt(int) {
    interrupted = 1;
}

constexpr int kBarWidth = 24;
constexpr auto kRedrawInterval = std::chrono::milliseconds(50);

int TerminalColumns() {
    winsize size{};
    if (ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
    return 80;
}

// Columns a UTF-8 text takes, counting every non-ASCII character as two (wide Japanese text).
size_t Columns(const std::string& text, size_t from = 0) {
    size_t columns = 0;
    for (size_t i = from; i < text.size(); ++i) {
        const unsigned char byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80)
            columns += 1;
        else if ((byte & 0xC0) != 0x80)
            columns += 2;
    }
    return columns;
}

// The end of the text that fits into the columns, "..." first when something was cut.
std::string Tail(const std::string& text, size_t columns) {
    if (Columns(text) <= columns) return text;
    if (columns < 4) return "";
    size_t start = 0;
    while (start < text.size() && (Columns(text, start) > columns - 3 ||
                                   (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80))
        ++start;
    return "..." + text.substr(start);
}

} // namespace

CTerminalProgress::CTerminalProgress(bool showBar) : showBar_(showBar) {
    interrupted = 0;
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND | SA_RESTART; // reads and writes in progress complete
    sigaction(SIGINT, &action, &previous_);
}

CTerminalProgress::~CTerminalProgress() {
    Clear();
    sigaction(SIGINT, &previous_, nullptr);
}

void CTerminalProgress::SetCounter(const std::string& text) {
    counter_ = text;
    Draw(total_ > 0 && position_ >= total_); // the last file is always shown
}

void CTerminalProgress::SetPath(const std::string& text) {
    path_ = text;
    Draw(false);
}

void CTerminalProgress::SetRange(int total) {
    total_ = total;
    position_ = 0;
}

bool CTerminalProgress::KeepGoing() {
    return !interrupted;
}

void CTerminalProgress::ShowFailure(const std::string&, const BatchReport& report, bool first) {
    if (!first) return;
    Clear();
    CliReports().ReportWith(report.text, report.error);
    Draw(true);
}

void CTerminalProgress::Clear() {
    if (!drawn_) return;
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
    drawn_ = false;
}

void CTerminalProgress::Draw(bool force) {
    if (!showBar_) return;
    const auto now = std::chrono::steady_clock::now();
    if (!force && drawn_ && now - lastDraw_ < kRedrawInterval) return;
    lastDraw_ = now;
    const int filled = total_ > 0 ? std::min(position_, total_) * kBarWidth / total_ : 0;
    std::string line = "[" + std::string(filled, '#') + std::string(kBarWidth - filled, '.') +
                       "] " + counter_ + " ";
    const int columns = TerminalColumns() - 1;
    if (Columns(line) < static_cast<size_t>(columns))
        line += Tail(path_, static_cast<size_t>(columns) - Columns(line));
    std::fprintf(stderr, "\r\033[K%s", line.c_str());
    std::fflush(stderr);
    drawn_ = true;
}

#include "cli/CliReports.h"

#include "cli/CliMessages.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// Line breaks inside a message would split the report; each ("\r\n" too) becomes a space.
std::string OneLine(const std::string& text) {
    std::string line;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool lineBreak = text[i] == '\n' || text[i] == '\r';
        if (lineBreak && text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        line += lineBreak ? ' ' : text[i];
    }
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    return line;
}

// The message part of a report text: after "name:", before the path's line (the last one).
std::string MessageOf(const std::string& text) {
    const std::string head = OneLine(text.substr(0, text.rfind('\n')));
    const size_t colon = head.find(':');
    return colon == std::string::npos ? head : head.substr(colon + 1);
}

bool IsFileAccessMessage(const std::string& message) {
    for (StringId id :
         {StringId::CannotOpen, StringId::NoTempFile, StringId::TempCopyFailed,
          StringId::NoSourceFolder, StringId::NoDestinationFolder, StringId::NoLogFile})
        if (message == LoadString(id)) return true;
    for (const char* batchMessage :
         {"Cannot open", "Cannot write", "Cannot make the folder", "Cannot read the folder"})
        if (message == batchMessage) return true;
    return false;
}

} // namespace

std::string FormatCliReport(const std::string& report, const std::string& fallbackPath, int error) {
    // A message may have lines of its own ("(Compression=5)"); the path is on the last.
    const size_t lineEnd = report.rfind('\n');
    std::string message = Localized(OneLine(report.substr(0, lineEnd)));
    std::string path = lineEnd == std::string::npos ? "" : OneLine(report.substr(lineEnd + 1));
    if (path.empty()) path = fallbackPath;
    std::string line = "tolmena-cli: ";
    if (!path.empty()) line += path + ": ";
    line += message;
    if (error != 0) {
        const std::string reason = std::strerror(error);
        if (!EndsWith(message, reason)) line += " (" + reason + ")";
    }
    return line;
}

void CCliReports::Report(const std::string& text) {
    ReportWith(text, errno);
}

void CCliReports::ReportWith(const std::string& text, int error) {
    Print(text, IsFileAccessMessage(MessageOf(text)) ? error : 0);
}

void CCliReports::Print(const std::string& text, int error) {
    std::lock_guard lock(mutex_);
    ++count_;
    std::string line = FormatCliReport(text, currentPath_, error);
    for (const auto& [path, shown] : shownPaths_)
        for (size_t at = line.find(path); at != std::string::npos;
             at = line.find(path, at + shown.size()))
            line.replace(at, path.size(), shown);
    std::fprintf(stderr, "%s\n", line.c_str());
}

void CCliReports::ShowPathAs(const std::string& path, const std::string& shown) {
    std::lock_guard lock(mutex_);
    shownPaths_.emplace_back(path, shown);
}

void CCliReports::BeginFile(const std::string& path) {
    std::lock_guard lock(mutex_);
    currentPath_ = path;
    errno = 0;
}

size_t CCliReports::Count() const {
    std::lock_guard lock(mutex_);
    return count_;
}

CCliReports& CliReports() {
    static CCliReports reports;
    return reports;
}

void ReportCliFailure(const std::string& path, const std::string& message, int error) {
    CliReports().Print(message + "\n" + path, error);
}

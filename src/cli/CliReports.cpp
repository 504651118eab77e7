#include "cli/CliReports.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// Line breaks inside a message would split the report; they become spaces.
std::string OneLine(std::string text) {
    for (char& c : text)
        if (c == '\n' || c == '\r') c = ' ';
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

// The message part of a report text: after "name:", before the path's line.
std::string MessageOf(const std::string& text) {
    const std::string head = text.substr(0, text.find('\n'));
    const size_t colon = head.find(':');
    return colon == std::string::npos ? head : head.substr(colon + 1);
}

bool IsFileAccessMessage(const std::string& message) {
    for (StringId id :
         {StringId::CannotOpen, StringId::NoTempFile, StringId::TempCopyFailed,
          StringId::NoSourceFolder, StringId::NoDestinationFolder, StringId::NoLogFile})
        if (message == LoadString(id)) return true;
    return message == "Cannot open";
}

} // namespace

std::string FormatCliReport(const std::string& report, const std::string& fallbackPath, int error) {
    const size_t lineEnd = report.find('\n');
    std::string message = OneLine(report.substr(0, lineEnd));
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

#include "batch/BatchFailures.h"

#include "base/StringTable.h"

#include <cstring>

namespace {

// Failures the summary lists when no log holds them.
constexpr size_t kListedFailures = 5;

// The text of the id with its one "%d" or "%s" replaced by value.
std::string Filled(StringId id, const std::string& value) {
    std::string text = LoadString(id);
    const size_t slot = text.find('%');
    if (slot != std::string::npos) text.replace(slot, 2, value);
    return text;
}

std::string OneLine(std::string text) {
    for (char& c : text)
        if (c == '\n' || c == '\r') c = ' ';
    return text;
}

} // namespace

BatchReport BatchReport::OfFile(const std::string& text, int error, const std::string& filePath) {
    const size_t pathLine = text.rfind('\n');
    if (pathLine == std::string::npos) return {text + "\n" + filePath, error};
    if (pathLine + 1 == text.size()) return {text + filePath, error};
    return {text, error};
}

std::string BatchReport::Line() const {
    const size_t pathLine = text.rfind('\n');
    if (pathLine == std::string::npos) return OneLine(text);
    return text.substr(pathLine + 1) + ": " + OneLine(text.substr(0, pathLine));
}

void CBatchFailures::AddFile(const std::string& line, bool firstOfFile) {
    if (!firstOfFile) return;
    ++files_;
    Keep(line);
}

void CBatchFailures::AddFolder(const std::string& line) {
    ++folders_;
    Keep(line);
}

void CBatchFailures::Keep(const std::string& line) {
    if (first_.size() < kListedFailures) first_.push_back(line);
}

std::string CBatchFailures::Headline(const std::string& logPath) const {
    std::string text;
    if (files_ > 0) text = Filled(StringId::FilesFailed, std::to_string(files_));
    if (folders_ > 0) {
        if (!text.empty()) text += " ";
        text += Filled(StringId::FoldersFailed, std::to_string(folders_));
    }
    if (!text.empty() && !logPath.empty()) text += Filled(StringId::SeeLog, logPath);
    return text;
}

std::string CBatchFailures::SummaryText(const std::string& logPath, int logError) const {
    const bool completeLog = !logPath.empty() && logError == 0;
    std::string text = Headline(completeLog ? logPath : "");
    const auto addLine = [&text](const std::string& line) {
        if (!text.empty()) text += "\n";
        text += line;
    };
    if (logError != 0)
        addLine(LoadString(StringId::LogNotWritten) + ": " + logPath + " (" +
                std::strerror(logError) + ")");
    if (completeLog) return text;
    for (const std::string& line : first_)
        addLine(line);
    if (static_cast<size_t>(Count()) > first_.size())
        addLine(Filled(StringId::MoreFailures, std::to_string(Count() - first_.size())));
    return text;
}

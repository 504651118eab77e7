#include "batch/HtmlLog.h"

#include "base/ByteCount.h"

#include <cerrno>
#include <cstring>
#include <utility>

namespace {

std::string EscapeHtml(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

std::string Grouped(uint32_t bytes) {
    std::string text;
    FormatByteCount(bytes, &text, nullptr);
    return text;
}

std::string Short(uint32_t bytes) {
    std::string text;
    FormatByteCount(bytes, nullptr, &text);
    return text;
}

std::string Dimensions(int width, int height) {
    return std::to_string(width) + " x " + std::to_string(height) + " ";
}

std::string Substituted(const char* format, const std::string& argument) {
    std::string message = format;
    const size_t slot = message.find("%s");
    if (slot != std::string::npos) message.replace(slot, 2, argument);
    return message;
}

} // namespace

std::string ErrorLineText(const char* format, const std::string& argument) {
    std::string text = Substituted(format, argument);
    if (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
}

std::string ErrorLineMessage(const char* format) {
    static const std::pair<const char*, const char*> kMessages[] = {
        {kLogCantChdir, "Cannot read the folder"},
        {kLogCantMkdir, "Cannot make the folder"},
        {kLogCantOpenFile, "Cannot open"},
        {kLogCantResize, "Cannot resize"},
        {kLogCantSave, "Cannot write"},
        {kLogSameOutput, "Several sources have this output"}};
    for (const auto& [line, message] : kMessages)
        if (std::strcmp(format, line) == 0) return message;
    return ErrorLineText(format, "");
}

bool CHtmlLog::Open(const std::string& path) {
    Close();
    writeError_ = 0;
    file_ = FileHandle::Open(path, "w");
    path_ = file_ ? path : "";
    if (!file_) return false;
    Write("<HTML><BODY>\n");
    return true;
}

void CHtmlLog::Close() {
    if (!file_) return;
    Write("</BODY></HTML>\n");
    if (!file_.Close()) NoteWriteError();
}

void CHtmlLog::Write(const std::string& text) {
    if (file_ && std::fwrite(text.data(), 1, text.size(), file_.get()) != text.size())
        NoteWriteError();
}

void CHtmlLog::NoteWriteError() {
    if (writeError_ == 0) writeError_ = errno != 0 ? errno : EIO;
}

void CHtmlLog::WriteErrorLine(const char* format, const std::string& argument) {
    Write("<FONT color=\"red\"><STRONG>" + EscapeHtml(Substituted(format, argument)) +
          "</STRONG></FONT><BR>\n");
}

void CHtmlLog::WriteConversionEntry(const ConversionLogEntry& entry) {
    const uint32_t altSize = entry.altIsOriginalSize ? entry.sourceSize : entry.outputSize;
    Write("<A href=\"" + EscapeHtml(entry.linkPath) + "\">\n");
    Write("<IMG src=\"" + EscapeHtml(entry.imagePath) + "\" width=" +
          std::to_string(entry.outputWidth) + " height=" + std::to_string(entry.outputHeight) +
          " alt=\"" + EscapeHtml(entry.outputName) + "(" + Short(altSize) + ")\" ");
    Write("align=\"left\" border=0>\n");
    Write(EscapeHtml(entry.sourcePath));
    Write("<BR></A>\n");
    Write(Dimensions(entry.sourceWidth, entry.sourceHeight) + Grouped(entry.sourceSize) + "byte");
    Write("<BR>\n");
    Write(Dimensions(entry.outputWidth, entry.outputHeight) + Grouped(entry.outputSize) + "byte");
    Write("<BR clear=\"all\"><BR>\n\n");
}

void CHtmlLog::WriteFilterEntry(const FilterLogEntry& entry) {
    const int64_t saved = int64_t{entry.sourceSize} - int64_t{entry.outputSize};
    Write("<A href=\"" + EscapeHtml(entry.imagePath) + "\">" + EscapeHtml(entry.destinationPath) +
          "</A><BR>\n");
    Write("width=" + std::to_string(entry.width) + " height=" + std::to_string(entry.height) +
          " (" + Short(entry.outputSize) + "bytes)<BR>\n");
    Write("Size=" + Grouped(entry.outputSize) + "bytes(" + std::to_string(saved) + ")<BR>\n");
    Write("<BR>\n\n");
}

#include "jpegtools/DqtFile.h"

#include "base/AtomicFile.h"
#include "base/ReportError.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sys/stat.h>

namespace {

constexpr int kValueCount = 128;
constexpr size_t kLineLength = 1023;    // longest piece read as one line
constexpr size_t kMaxDqtFile = 1 << 20; // a table file is a few kilobytes; read no more

bool IsTokenChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0;
}

// Reads the values of one line (up to its first NUL); returns the new count.
int ParseLine(const char* line, uint16_t values[kValueCount], int count) {
    const char* p = line;
    while (count < kValueCount) {
        while (*p == ' ' || *p == '\t')
            ++p;
        if (*p == '\n') break;
        const char* token = p;
        while (IsTokenChar(*p))
            ++p;
        values[count++] = static_cast<uint16_t>(std::atoi(std::string(token, p).c_str()));
        if (*p == '\0' || *p == '\n') break;
        ++p;
    }
    return count;
}

// Text mode: CR LF reads as LF.
std::string WithoutCarriageReturns(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) out += text[i];
    return out;
}

} // namespace

int ParseDQT(const std::string& rawText, uint16_t values[kValueCount]) {
    const std::string text = WithoutCarriageReturns(rawText);
    int count = 0;
    size_t start = 0;
    while (start < text.size() && count < kValueCount) {
        size_t end = text.find('\n', start);
        size_t length = (end == std::string::npos ? text.size() : end + 1) - start;
        length = std::min(length, kLineLength);
        std::string piece = text.substr(start, length);
        count = ParseLine(piece.c_str(), values, count);
        start += length;
    }
    return count;
}

int LoadDQT(const std::string& path, uint16_t values[kValueCount]) {
    std::ifstream in(path, std::ios::binary);
    struct stat info {};
    if (in && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        in.close(); // a directory opens as a stream that reads nothing
        errno = EISDIR;
    }
    if (!in.is_open()) {
        ReportErrorId("LoadDQT", path, StringId::CannotOpen);
        return -1;
    }
    std::string text(kMaxDqtFile, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<size_t>(in.gcount()));
    uint16_t read[kValueCount] = {};
    int count = ParseDQT(text, read);
    std::copy(read, read + count, values);
    return count;
}

std::string FormatDQT(const uint16_t values[kValueCount], const char* lineEnd) {
    std::string text;
    char cell[16];
    for (int i = 0; i < kValueCount; ++i) {
        std::snprintf(cell, sizeof cell, "%3d,", values[i]);
        text += cell;
        if (i % 8 == 7) text += lineEnd;
    }
    return text;
}

int SaveDQT(const std::string& path, const uint16_t values[kValueCount]) {
    if (!WriteFileAtomically(path, FormatDQT(values, "\r\n"))) {
        ReportErrorId("SaveDQT", path, StringId::CannotOpen);
        return -1;
    }
    return kValueCount;
}

int LoadDqtTables(const std::string& path, QuantTablePair& tables) {
    uint16_t values[kValueCount] = {};
    const int replaced = std::max(0, LoadDQT(path, values)) / 64;
    std::copy(values, values + replaced * 64, tables.begin());
    return replaced;
}

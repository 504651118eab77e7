#include "base/ProfileFile.h"

#include "base/AtomicFile.h"

#include <climits>
#include <cstdio>
#include <fstream>
#include <strings.h>

namespace {

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

std::string Trim(const std::string& text) {
    const char* blanks = " \t\r";
    size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos) return {};
    size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

} // namespace

int ParseProfileInt(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > 1LL + INT_MAX) value = 1LL + INT_MAX;
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

bool ProfileFile::Load(const std::string& path) {
    sections_.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::string text(kMaxFileSize, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<size_t>(in.gcount()));
    Parse(text);
    return true;
}

void ProfileFile::Parse(const std::string& text) {
    sections_.clear();
    sections_.push_back({});
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string raw = text.substr(start, std::min(end - start, kMaxLineLength));
        start = end + 1;
        std::string line = Trim(raw);
        if (line.size() >= 2 && line.front() == '[') {
            size_t close = line.find(']');
            if (close != std::string::npos) {
                sections_.push_back({Trim(line.substr(1, close - 1)), {}});
                continue;
            }
        }
        size_t equals = line.find('=');
        if (equals == std::string::npos || equals == 0 || line[0] == ';')
            sections_.back().lines.push_back({"", raw});
        else
            sections_.back().lines.push_back(
                {Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))});
    }
}

const ProfileFile::Section* ProfileFile::FindSection(const std::string& name) const {
    for (const Section& section : sections_)
        if (!section.name.empty() && SameName(section.name, name)) return &section;
    return nullptr;
}

ProfileFile::Section& ProfileFile::SectionFor(const std::string& name) {
    if (const Section* found = FindSection(name)) return const_cast<Section&>(*found);
    if (sections_.empty()) sections_.push_back({});
    sections_.push_back({name, {}});
    return sections_.back();
}

const ProfileFile::Line* ProfileFile::FindLine(const std::string& section,
                                               const std::string& key) const {
    const Section* found = FindSection(section);
    if (!found) return nullptr;
    for (const Line& line : found->lines)
        if (!line.key.empty() && SameName(line.key, key)) return &line;
    return nullptr;
}

bool ProfileFile::HasKey(const std::string& section, const std::string& key) const {
    return FindLine(section, key) != nullptr;
}

std::string ProfileFile::GetString(const std::string& section, const std::string& key,
                                   const std::string& fallback) const {
    const Line* line = FindLine(section, key);
    return line ? line->value : fallback;
}

int ProfileFile::GetInt(const std::string& section, const std::string& key, int fallback) const {
    const Line* line = FindLine(section, key);
    return line ? ParseProfileInt(line->value) : fallback;
}

std::vector<std::string> ProfileFile::Keys(const std::string& section) const {
    std::vector<std::string> keys;
    if (const Section* found = FindSection(section))
        for (const Line& line : found->lines)
            if (!line.key.empty()) keys.push_back(line.key);
    return keys;
}

void ProfileFile::WriteString(const std::string& section, const std::string& key,
                              const std::string& text) {
    // A line break would end the value and start a line of its own: another key.
    std::string value = text;
    std::erase_if(value, [](char c) { return c == '\r' || c == '\n'; });
    if (const Line* line = FindLine(section, key)) {
        const_cast<Line*>(line)->value = value;
        return;
    }
    Section& target = SectionFor(section);
    // New keys go after the section's last key, before any trailing blank lines.
    auto position = target.lines.end();
    while (position != target.lines.begin() && std::prev(position)->key.empty() &&
           Trim(std::prev(position)->value).empty())
        --position;
    target.lines.insert(position, {key, value});
}

void ProfileFile::WriteInt(const std::string& section, const std::string& key, int value) {
    WriteString(section, key, std::to_string(value));
}

void ProfileFile::RemoveSection(const std::string& section) {
    std::erase_if(sections_,
                  [&](const Section& s) { return !s.name.empty() && SameName(s.name, section); });
}

std::string ProfileFile::Text() const {
    std::string text;
    for (const Section& section : sections_) {
        if (!section.name.empty()) text += "[" + section.name + "]\n";
        for (const Line& line : section.lines)
            text += line.key.empty() ? line.value + "\n" : line.key + "=" + line.value + "\n";
    }
    return text;
}

bool ProfileFile::Save(const std::string& path) const {
    CreateParentFolders(path);
    return WriteFileAtomically(path, Text());
}

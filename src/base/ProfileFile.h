#pragma once
// The private-profile file: "[Section]" header lines, then "Key=Value" lines. Section and key
// lookup ignores ASCII case; sections, keys and lines the program does not know are kept and
// written back. Saving goes through a temporary file and a rename, so a failed save leaves the
// previous file as it was.
#include <string>
#include <vector>

class ProfileFile {
public:
    // Reads the file; a missing or unreadable file leaves the profile empty and returns false.
    bool Load(const std::string& path);
    void Parse(const std::string& text);

    bool HasKey(const std::string& section, const std::string& key) const;
    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& fallback) const;
    // A value reads as its leading decimal number (0 when it has none), like the platform's
    // profile functions; a missing key gives the fallback.
    int GetInt(const std::string& section, const std::string& key, int fallback) const;
    std::vector<std::string> Keys(const std::string& section) const;

    // Writes the value without its CR and LF characters.
    void WriteString(const std::string& section, const std::string& key, const std::string& text);
    void WriteInt(const std::string& section, const std::string& key, int value);
    void RemoveSection(const std::string& section);

    std::string Text() const;
    // Writes the profile atomically, creating its directory when needed.
    bool Save(const std::string& path) const;

    // Longest line and largest file read; anything beyond is ignored.
    static constexpr size_t kMaxLineLength = 32767;
    static constexpr size_t kMaxFileSize = 16 * 1024 * 1024;

private:
    struct Line {
        std::string key;   // empty for a line that is not "Key=Value"
        std::string value; // the value, or the whole raw line
    };
    struct Section {
        std::string name; // empty for the lines before the first header
        std::vector<Line> lines;
    };

    const Section* FindSection(const std::string& name) const;
    Section& SectionFor(const std::string& name);
    const Line* FindLine(const std::string& section, const std::string& key) const;

    std::vector<Section> sections_;
};

// Parses a profile integer: optional blanks and sign, then leading decimal digits; saturates.
int ParseProfileInt(const std::string& text);

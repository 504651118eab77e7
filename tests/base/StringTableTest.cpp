// The string table: one text per id, ranges over consecutive ids, and the windows and menus take
// their Japanese texts from it instead of literals of their own.
#include "base/StringTable.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace {

// The string literals of a line of C++, comments and character literals left out.
std::vector<std::string> LiteralsOf(const std::string& line) {
    std::vector<std::string> literals;
    for (size_t at = 0; at < line.size(); ++at) {
        if (line.compare(at, 2, "//") == 0) break;
        const char quote = line[at];
        if (quote != '"' && quote != '\'') continue;
        std::string text;
        for (++at; at < line.size() && line[at] != quote; ++at) {
            if (line[at] == '\\') ++at;
            if (at < line.size()) text += line[at];
        }
        if (quote == '"') literals.push_back(text);
    }
    return literals;
}

bool IsAscii(const std::string& text) {
    for (unsigned char c : text)
        if (c >= 0x80) return false;
    return true;
}

} // namespace

TEST(StringTable, EveryIdHasOneTextOfItsOwn) {
    const std::vector<StringId> ids = StringTableIds();
    std::set<StringId> seen;
    for (StringId id : ids) {
        EXPECT_FALSE(LoadString(id).empty()) << static_cast<int>(id);
        EXPECT_TRUE(seen.insert(id).second) << "two texts for id " << static_cast<int>(id);
    }
    EXPECT_GT(ids.size(), 100u);
    EXPECT_EQ(LoadString(static_cast<StringId>(276)), ""); // between two ranges
}

TEST(StringTable, RangesAndJoinedLiteralsKeepTheirTexts) {
    EXPECT_EQ(LoadString(StringIdAt(StringId::SamplingNames, 4)), "1:2");
    EXPECT_EQ(LoadString(StringIdAt(StringId::ExifProgramsJa, 8)), "風景モード");
    EXPECT_EQ(LoadString(StringIdAt(StringId::AboutCredits, 3)), "The Qt Company Ltd.");
    EXPECT_EQ(LoadString(StringId::SaveMarkersQuestion),
              "変更されたマーカを JPEG ファイルに反映します\nこの操作は致命的結果をもたらす"
              "可能性があります\n本当に実行しますか？");
}

TEST(StringTable, WindowsAndMenusHaveNoTextsOfTheirOwn) {
    const std::filesystem::path src = std::filesystem::path(TEST_DATA_DIR) / "../../src";
    std::vector<std::string> offenders;
    for (const char* folder : {"ui", "shell"}) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(src / folder)) {
            // The command table holds the captions and prompts of the commands.
            if (entry.path().extension() != ".cpp" || entry.path().filename() == "CommandTable.cpp")
                continue;
            std::ifstream file(entry.path());
            std::string line;
            for (int number = 1; std::getline(file, line); ++number)
                for (const std::string& literal : LiteralsOf(line))
                    if (!IsAscii(literal))
                        offenders.push_back(entry.path().filename().string() + ":" +
                                            std::to_string(number) + " " + literal);
        }
    }
    std::ostringstream list;
    for (const std::string& offender : offenders)
        list << offender << "\n";
    EXPECT_TRUE(offenders.empty()) << list.str();
}

#pragma once
// The program's string table: user-visible texts by resource id (UTF-8). The ids and the texts
// both come from the one list in base/StringTexts.h.
#include <string>
#include <vector>

// Every id of the string table. A range (sampling names, Exif program and metering names) is named
// by its first entry and addressed with StringIdAt.
enum class StringId : int {
#define TEXT(name, id, ...) name = id,
#define TEXTS TEXT
#include "base/StringTexts.h"
#undef TEXTS
#undef TEXT
};

// The id `offset` entries after the first id of a range.
constexpr StringId StringIdAt(StringId first, int offset) {
    return static_cast<StringId>(static_cast<int>(first) + offset);
}

// The text with the given id; empty when the table has none.
std::string LoadString(StringId id);
// The text as the table holds it, valid for the whole run; nullptr when the table has none.
const char* StringTableText(StringId id);
// Every id that has a text, the members of each range included, in the order of the list.
std::vector<StringId> StringTableIds();

#include "base/StringTable.h"

#include <map>
#include <vector>

namespace {

// One entry of the list: the first id and its texts, one per consecutive id.
struct TextEntry {
    StringId first;
    std::vector<const char*> texts;
};

const std::vector<TextEntry>& Entries() {
    static const std::vector<TextEntry> entries = {
#define TEXT(name, id, ...) {StringId::name, {__VA_ARGS__}},
#define TEXTS TEXT
#include "base/StringTexts.h"
#undef TEXTS
#undef TEXT
    };
    return entries;
}

const std::map<StringId, const char*>& Table() {
    static const std::map<StringId, const char*> table = [] {
        std::map<StringId, const char*> texts;
        for (const TextEntry& entry : Entries())
            for (size_t offset = 0; offset < entry.texts.size(); ++offset)
                texts.emplace(StringIdAt(entry.first, static_cast<int>(offset)),
                              entry.texts[offset]);
        return texts;
    }();
    return table;
}

} // namespace

std::string LoadString(StringId id) {
    const char* text = StringTableText(id);
    return text ? std::string(text) : std::string();
}

const char* StringTableText(StringId id) {
    auto found = Table().find(id);
    return found == Table().end() ? nullptr : found->second;
}

std::vector<StringId> StringTableIds() {
    std::vector<StringId> ids;
    for (const TextEntry& entry : Entries())
        for (size_t offset = 0; offset < entry.texts.size(); ++offset)
            ids.push_back(StringIdAt(entry.first, static_cast<int>(offset)));
    return ids;
}

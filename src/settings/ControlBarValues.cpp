#include "settings/ControlBarValues.h"

#include <climits>
#include <cstdint>

namespace {

// The field as the platform reads an unsigned number: blanks, digits, nothing after them.
// Returns false when it is not a number or does not fit 32 bits.
bool ReadUnsigned(const std::string& text, uint32_t& value) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    size_t digits = 0;
    uint64_t number = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) {
        number = number * 10 + static_cast<uint64_t>(text[i] - '0');
        if (number > UINT32_MAX) return false;
    }
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    if (digits == 0 || i != text.size()) return false;
    value = static_cast<uint32_t>(number);
    return true;
}

} // namespace

std::optional<std::string> CommitControlBar(SettingsStore& store, const std::string& qualityField,
                                            int samplingSelection, int encodingSelection) {
    uint32_t read = 0;
    if (!ReadUnsigned(qualityField, read)) read = 0;
    int quality = read > INT_MAX ? 0 : read > 100 ? 100 : static_cast<int>(read);
    store.param1 = quality;
    store.param2 = samplingSelection;
    store.param3 = encodingSelection;
    if (static_cast<uint32_t>(quality) != read) return std::to_string(quality);
    return std::nullopt;
}

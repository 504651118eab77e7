#include "base/DialogFilter.h"

namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return parts;
}

} // namespace

std::vector<DialogFilter> ParseDialogFilters(const std::string& table) {
    std::vector<DialogFilter> filters;
    const std::vector<std::string> fields = Split(table, '|');
    for (size_t i = 0; i + 1 < fields.size() && !fields[i].empty(); i += 2) {
        DialogFilter filter;
        filter.name = fields[i].substr(0, fields[i].find('('));
        for (const std::string& pattern : Split(fields[i + 1], ';'))
            if (!pattern.empty()) filter.patterns.push_back(pattern);
        filters.push_back(std::move(filter));
    }
    return filters;
}

std::string DialogFilterText(const DialogFilter& filter) {
    std::string text = filter.name + "(";
    for (size_t i = 0; i < filter.patterns.size(); ++i)
        text += (i ? " " : "") + filter.patterns[i];
    return text + ")";
}

#include "settings/SettingsPageRules.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

int SignedFieldValue(const std::string& text) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(begin, &end, 10);
    if (end == begin || errno == ERANGE || value < INT_MIN || value > INT_MAX) return 0;
    while (*end == ' ' || *end == '\t')
        ++end;
    return *end == '\0' ? static_cast<int>(value) : 0;
}

int HistoryCountFromText(const std::string& text) {
    return std::clamp(SignedFieldValue(text), 0, kMaxHistoryCount);
}

bool DitherChoiceApplies(int screenDepth) {
    return screenDepth == 15 || screenDepth == 16;
}

std::string GammaText(double gamma) {
    char text[64];
    std::snprintf(text, sizeof text, "%f", gamma);
    return text;
}

double GammaFromText(const std::string& text) {
    return std::atof(text.c_str());
}

#include "batch/NameOrder.h"

#include <algorithm>

namespace {

unsigned char Folded(char c) {
    unsigned char byte = static_cast<unsigned char>(c);
    return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

} // namespace

int CompareNames(const std::string& left, const std::string& right) {
    const size_t common = std::min(left.size(), right.size());
    for (size_t i = 0; i < common; ++i) {
        const unsigned char a = Folded(left[i]), b = Folded(right[i]);
        if (a != b) return a < b ? -1 : 1;
    }
    if (left.size() != right.size()) return left.size() < right.size() ? -1 : 1;
    const int bytes = left.compare(right);
    return (bytes > 0) - (bytes < 0);
}

void SortNames(std::vector<std::string>& names) {
    std::sort(names.begin(), names.end(), [](const std::string& left, const std::string& right) {
        return CompareNames(left, right) < 0;
    });
}

#include "base/ByteCount.h"

#include <cstdio>

namespace {

std::string Grouped(uint32_t n) {
    char text[32];
    if (n < 1000)
        std::snprintf(text, sizeof text, "%u", n);
    else if (n < 1000000)
        std::snprintf(text, sizeof text, "%u,%03u", n / 1000, n % 1000);
    else if (n < 1000000000)
        std::snprintf(text, sizeof text, "%u,%03u,%03u", n / 1000000, n % 1000000 / 1000, n % 1000);
    else
        std::snprintf(text, sizeof text, "%u,%03u,%03u,%03u", n / 1000000000,
                      n % 1000000000 / 1000000, n % 1000000 / 1000, n % 1000);
    return text;
}

std::string Scaled(uint32_t n) {
    char text[32];
    if (n < 1024) {
        std::snprintf(text, sizeof text, "%u", n);
        return text;
    }
    const bool mega = n >= 1048576;
    const uint64_t tenths = uint64_t{n} * 10 / (mega ? 1048576 : 1024);
    std::snprintf(text, sizeof text, "%llu.%llu%c", static_cast<unsigned long long>(tenths / 10),
                  static_cast<unsigned long long>(tenths % 10), mega ? 'M' : 'K');
    return text;
}

} // namespace

void FormatByteCount(uint32_t count, std::string* grouped, std::string* shortForm) {
    if (grouped) *grouped = Grouped(count);
    if (shortForm) *shortForm = Scaled(count);
}

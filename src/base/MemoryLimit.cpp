#include "base/MemoryLimit.h"

#include <algorithm>
#include <atomic>
#include <unistd.h>

namespace {

constexpr uint64_t kLimitCeiling = uint64_t{4} << 30;

std::atomic<uint64_t>& Limit() {
    static std::atomic<uint64_t> limit{DefaultMemoryLimit()};
    return limit;
}

// Whole MiB, rounded up: a need of a few bytes is not shown as 0 MB.
std::string MegabyteText(uint64_t bytes) {
    const uint64_t megabytes = bytes / (1u << 20) + (bytes % (1u << 20) != 0 ? 1 : 0);
    return std::to_string(megabytes) + " MB";
}

} // namespace

uint64_t DefaultMemoryLimit() {
    const long pages = sysconf(_SC_PHYS_PAGES), pageSize = sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0) return kLimitCeiling;
    return std::min(kLimitCeiling,
                    static_cast<uint64_t>(pages) * static_cast<uint64_t>(pageSize) / 2);
}

uint64_t MemoryLimit() {
    return Limit().load();
}

void SetMemoryLimit(uint64_t bytes) {
    Limit().store(bytes);
}

bool FitsMemoryLimit(uint64_t bytes) {
    return bytes <= MemoryLimit();
}

uint64_t PictureBytes(uint64_t bytesPerRow, uint64_t rows) {
    if (bytesPerRow != 0 && rows > UINT64_MAX / bytesPerRow) return UINT64_MAX;
    return bytesPerRow * rows;
}

std::string MemoryLimitMessage(uint64_t bytes) {
    return "needs " + MegabyteText(bytes) + ", above the memory limit of " +
           MegabyteText(MemoryLimit());
}

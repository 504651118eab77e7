#include "core/PictureMemory.h"

#include "base/MemoryLimit.h"
#include "base/ReportError.h"

namespace {

uint64_t SaturatingAdd(uint64_t a, uint64_t b) {
    return a > UINT64_MAX - b ? UINT64_MAX : a + b;
}

} // namespace

uint64_t PictureMemoryNeed(uint64_t width, uint64_t height, int dibBitCount,
                           uint64_t decoderBytes) {
    // DIB rows are padded to whole 32-bit words.
    const uint64_t rowBits = PictureBytes(width, static_cast<uint64_t>(dibBitCount));
    const uint64_t dib = PictureBytes((rowBits / 32 + (rowBits % 32 != 0 ? 1 : 0)) * 4, height);
    const uint64_t display = PictureBytes(PictureBytes(width, dibBitCount <= 8 ? 1 : 4), height);
    return SaturatingAdd(SaturatingAdd(dib, display), decoderBytes);
}

bool CheckPictureMemory(const char* name, const std::string& path, uint64_t bytes) {
    if (FitsMemoryLimit(bytes)) return true;
    ReportError(name, path, MemoryLimitMessage(bytes));
    return false;
}

// JPEG XL reader over arbitrary bytes: libjxl's events, the picture buffer and the Exif box
// collected (Brotli-compressed or not).
#include "base/HeadlessPlatform.h"
#include "core/JxlRead.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > (1 << 18)) return 0;
    DecodeJxl({data, size}, "fuzz", size_t{1} << 20, ImageReadOptions{});
    Headless().ClearMessages();
    return 0;
}

// WebP reader over arbitrary bytes: the container walk, the first frame's decoding (still or
// animated) and the EXIF chunk.
#include "base/HeadlessPlatform.h"
#include "core/WebpRead.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > (1 << 18)) return 0;
    DecodeWebp({data, size}, "fuzz", size_t{1} << 20, ImageReadOptions{});
    Headless().ClearMessages();
    return 0;
}

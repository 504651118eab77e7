// HEIF/AVIF reader over arbitrary bytes: libheif's parse and decoding of the primary picture,
// the coding configuration read from the item properties and the Exif item.
#include "base/HeadlessPlatform.h"
#include "core/HeifRead.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > (1 << 18)) return 0;
    DecodeHeif({data, size}, "fuzz", size_t{1} << 20, ImageReadOptions{});
    Headless().ClearMessages();
    return 0;
}

// TIFF reader over arbitrary bytes: the directory parse, the tag checks and the strip reads
// into a picture and its facts.
#include "base/HeadlessPlatform.h"
#include "core/TiffFile.h"

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0 || size > (1 << 18)) return 0;
    std::FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
    if (!file) return 0;
    ReadTiffStream(file, "fuzz.tif", size_t{1} << 20, ImageReadOptions{});
    std::fclose(file);
    Headless().ClearMessages();
    return 0;
}

// The BMP reader over arbitrary file bytes; every file that opens is written back to /dev/null.
#include "DibSizeLimit.h"
#include "base/HeadlessPlatform.h"
#include "core/BmpFile.h"

#include <cstdint>
#include <cstdio>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > (1 << 20) || (size > 14 && !IsSmallDib(data + 14, size - 14))) return 0;
    std::string description;
    auto image = ReadBmpBytes(data, size, "fuzz.bmp", ImageReadOptions{}, description);
    if (image) {
        static std::FILE* sink = std::fopen("/dev/null", "wb");
        if (sink) WriteBmpFile(*image, sink, "/dev/null", -1, description);
    }
    Headless().ClearMessages();
    return 0;
}

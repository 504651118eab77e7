// FAL header text (the size line of raw RGB pictures) over arbitrary bytes.
#include "core/RgbFile.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 4096) return 0;
    int width = 0, height = 0;
    ParseFalHeader(std::string(reinterpret_cast<const char*>(data), size), width, height);
    return 0;
}

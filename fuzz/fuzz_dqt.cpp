// DQT text reader over arbitrary bytes.
#include "jpegtools/DqtFile.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > (1 << 16)) return 0;
    uint16_t values[128];
    ParseDQT(std::string(reinterpret_cast<const char*>(data), size), values);
    return 0;
}

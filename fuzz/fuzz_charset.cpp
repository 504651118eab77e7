// Comment text conversions on arbitrary bytes: every code in both directions, plus detection.
#include "jpegtools/Charset.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const int length = static_cast<int>(std::min<size_t>(size, 64 * 1024));
    const auto* text = reinterpret_cast<const char*>(data);
    DetectCharset(text, length);
    for (int code = kCharsetAscii; code <= kCharsetUcs2; ++code) {
        const std::string sjis = ToShiftJis(text, code, length);
        FromShiftJis(sjis.data(), code, static_cast<int>(sjis.size()));
        FromShiftJis(text, code, length);
    }
    return 0;
}

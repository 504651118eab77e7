// PNG chunk splitting over arbitrary bytes (the first 8 are taken as the signature): every
// chunk must lie inside the input and hold exactly the input's bytes.
#include "jpegtools/SegmentReader.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0 || size > (1 << 20)) return 0;
    CSegmentReader reader;
    if (!reader.Attach(fmemopen(const_cast<uint8_t*>(data), size, "rb"))) return 0;
    reader.Read(nullptr, 8);
    SegmentList list;
    reader.ParsePng(list);
    uint64_t start = 8;
    for (const auto& segment : list) {
        const auto& chunk = dynamic_cast<const CPngChunk&>(*segment);
        const uint64_t end = 8 + chunk.offset;
        if (end > size || end < start + 12) __builtin_trap();
        if (!chunk.Has(SEG_DATA) && (chunk.ByteCount() != end - start ||
                                     std::memcmp(chunk.Bytes(), data + start, end - start) != 0))
            __builtin_trap();
        start = end;
    }
    return 0;
}

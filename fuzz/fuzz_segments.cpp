// JPEG splitting and writing over arbitrary bytes: the list written unchanged must give back
// the input up to its first EOI (or all of it), and a list with segments deleted must give
// exactly the input less those segments.
#include "JpegMutator.h"
#include "jpegtools/SegmentReader.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr size_t kMaxInput = 1 << 20;

// Writes the list against the reader's source into memory; the bytes, or trap on failure.
std::string Write(CSegmentReader& reader, const SegmentList& list) {
    char* bytes = nullptr;
    size_t size = 0;
    FILE* sink = open_memstream(&bytes, &size);
    if (!sink) return {};
    const bool written = reader.CopySegments(sink, list);
    std::fclose(sink);
    std::string result(bytes, size);
    std::free(bytes);
    if (!written) __builtin_trap();
    return result;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0 || size > kMaxInput) return 0;
    CSegmentReader reader;
    if (!reader.Attach(fmemopen(const_cast<uint8_t*>(data), size, "rb"))) return 0;
    SegmentList list;
    reader.ParseJpeg(list);

    const bool endsAtEoi = !list.empty() && list.back()->Code() == 0xD9;
    const size_t imageEnd = endsAtEoi ? list.back()->offset + 2 : size;
    const std::string whole = Write(reader, list);
    if (whole.size() != imageEnd || std::memcmp(whole.data(), data, imageEnd) != 0)
        __builtin_trap();

    uint64_t removed = 0;
    auto position = list.begin();
    while (CMarkerSegment* found = FindMarker(list, position, 0xE1, 0xFE)) {
        found->flags |= SEG_DELETED;
        removed += found->length;
    }
    if (Write(reader, list).size() != imageEnd - removed) __builtin_trap();
    return 0;
}

extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* data, size_t size, size_t maxSize,
                                          unsigned seed) {
    return MutateJpegInput(data, size, maxSize, seed, 0);
}

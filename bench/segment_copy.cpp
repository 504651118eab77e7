// Splits a JPEG file into its segment list and writes the list unchanged to another file, as
// the lossless tools do; prints the record count, the time taken and the list's memory.
#include "jpegtools/SegmentReader.h"

#include <chrono>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s IN.jpg OUT.jpg\n", argv[0]);
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    CSegmentReader reader;
    SegmentList list;
    if (!reader.Open(argv[1])) {
        std::fprintf(stderr, "cannot open %s\n", argv[1]);
        return 1;
    }
    reader.ParseJpeg(list);
    reader.Close();
    if (!reader.WriteSegments(argv[1], argv[2], list)) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    const std::chrono::duration<double, std::milli> elapsed =
        std::chrono::steady_clock::now() - start;
    size_t heldBytes = 0;
    for (const auto& segment : list)
        heldBytes += segment->ByteCount();
    std::printf("%zu records, %zu bytes held, %.1f ms\n", list.size(), heldBytes, elapsed.count());
    return 0;
}

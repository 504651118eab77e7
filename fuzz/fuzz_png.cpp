// PNG reading over arbitrary bytes, with plain settings and with composing and gamma on.
#include "base/HeadlessPlatform.h"
#include "core/PngRead.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include <zlib.h>

namespace {

// Pictures larger than this are skipped: their buffers would only measure the machine.
constexpr uint64_t kMaxPixels = uint64_t{1} << 22;

bool SmallEnough(const uint8_t* data, size_t size) {
    if (size < 24) return true;
    const uint64_t width = uint64_t{data[16]} << 24 | data[17] << 16 | data[18] << 8 | data[19];
    const uint64_t height = uint64_t{data[20]} << 24 | data[21] << 16 | data[22] << 8 | data[23];
    return width * height <= kMaxPixels;
}

uint32_t BigEndian32(const uint8_t* bytes) {
    return uint32_t{bytes[0]} << 24 | bytes[1] << 16 | bytes[2] << 8 | bytes[3];
}

// Mutations would almost always break a chunk CRC and stop libpng at once; the CRCs of the
// complete chunks are recomputed so that the mutated contents get read.
void FixChunkCrcs(std::vector<uint8_t>& bytes) {
    size_t position = 8;
    while (position + 12 <= bytes.size()) {
        const uint64_t length = BigEndian32(&bytes[position]);
        if (length > bytes.size() - position - 12) break;
        uint8_t* type = &bytes[position + 4];
        uint32_t crc = static_cast<uint32_t>(crc32(0, type, static_cast<uInt>(length + 4)));
        uint8_t* stored = type + 4 + length;
        for (int i = 0; i < 4; ++i)
            stored[i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
        position += 12 + length;
    }
}

void ReadOnce(const uint8_t* data, size_t size, const PngLoadOptions& options) {
    std::FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
    if (!file) return;
    CDibImage image;
    PngFileFacts facts;
    ReadPngStream(file, "fuzz.png", options, image, facts);
    std::fclose(file);
    Headless().ClearMessages();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0 || size > (1 << 16) || !SmallEnough(data, size)) return 0;
    std::vector<uint8_t> bytes(data, data + size);
    FixChunkCrcs(bytes);
    data = bytes.data();
    PngLoadOptions plain;
    plain.useGammaCorrection = false;
    ReadOnce(data, size, plain);
    PngLoadOptions composed;
    composed.useTransparentOnLoad = true;
    composed.useDefaultGammaOnLoad = true;
    composed.screenGamma = 1.0;
    ReadOnce(data, size, composed);
    return 0;
}

#include "cli/PngChunkCrc.h"

#include "base/FileHandle.h"

#include <cstdint>
#include <cstdio>
#include <zlib.h>

namespace {

constexpr long kSignatureLength = 8;

uint32_t BigEndian32(const unsigned char* bytes) {
    return uint32_t{bytes[0]} << 24 | uint32_t{bytes[1]} << 16 | uint32_t{bytes[2]} << 8 | bytes[3];
}

// The CRC of `length` bytes read from the file, continuing `crc`; false when the file ends first.
bool ContinueCrc(std::FILE* file, uint32_t length, uLong& crc) {
    unsigned char buffer[65536];
    while (length > 0) {
        const size_t want = length < sizeof buffer ? length : sizeof buffer;
        if (std::fread(buffer, 1, want, file) != want) return false;
        crc = crc32(crc, buffer, static_cast<uInt>(want));
        length -= static_cast<uint32_t>(want);
    }
    return true;
}

} // namespace

std::vector<bool> CheckPngChunkCrcs(const std::string& path) {
    std::vector<bool> matches;
    FileHandle handle = FileHandle::Open(path, "rb");
    std::FILE* file = handle.get();
    unsigned char header[8], stored[4];
    if (file && std::fseek(file, kSignatureLength, SEEK_SET) == 0) {
        while (std::fread(header, 1, sizeof header, file) == sizeof header) {
            uLong crc = crc32(crc32(0, nullptr, 0), header + 4, 4);
            if (!ContinueCrc(file, BigEndian32(header), crc) ||
                std::fread(stored, 1, sizeof stored, file) != sizeof stored)
                break;
            matches.push_back(crc == BigEndian32(stored));
            if (BigEndian32(header + 4) == 0x49454E44) break; // IEND
        }
    }
    return matches;
}

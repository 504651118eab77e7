#pragma once
// One chunk of a PNG file in a segment list. Chunk lists are only displayed, never written, so
// chunk records never carry SEG_FROMFILE.
#include "jpegtools/MarkerSegment.h"

constexpr uint32_t kPngIdat = 0x49444154; // "IDAT"
constexpr uint32_t kPngIend = 0x49454E44; // "IEND"

class CPngChunk : public CMarkerSegment {
public:
    // A chunk record holding count bytes: the whole chunk as in the file (4-byte length, type,
    // data, CRC), and no bytes for IDAT, whose data stays in the file (SEG_DATA).
    explicit CPngChunk(size_t count) : CMarkerSegment(count) {}

    uint32_t chunkType = 0; // the four type letters as a big-endian number
    uint32_t crc = 0;       // the CRC as stored in the file; never recomputed
};

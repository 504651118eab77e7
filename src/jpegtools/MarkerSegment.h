#pragma once
// One record of a segment list: a JPEG marker segment, a stretch of bytes between markers, or
// (through CPngChunk) a PNG chunk. Records split from a file keep their place in it (offset and
// length) so that a list can be written again by streaming the source in list order; only
// marker segments hold their bytes, a data stretch is described by offset and length alone.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

enum SegmentFlag : uint16_t {
    SEG_FROMFILE = 0x0001, // written from the source file, not from memory
    SEG_INLINE = 0x0002,   // holds at most 8 bytes (set for data stretches too)
    SEG_DATA = 0x0004,     // bytes between markers; none held in memory
    SEG_DELETED = 0x0008,  // left out when the list is written
};

class CMarkerSegment {
public:
    // A record of count bytes, copied from source when one is given (else zero-filled). Its
    // length is count and it has no flags beyond SEG_INLINE for 8 bytes or fewer.
    explicit CMarkerSegment(size_t count, const uint8_t* source = nullptr);
    virtual ~CMarkerSegment() = default;
    CMarkerSegment(const CMarkerSegment&) = delete;
    CMarkerSegment& operator=(const CMarkerSegment&) = delete;

    // Longest payload of a marker segment: its 16-bit length field counts itself.
    static constexpr size_t kMaxPayload = 0xFFFF - 2;

    // An in-memory marker segment 0xFF, code, length field (size + 2), payload; null when the
    // payload is too long for the 16-bit length field (more than kMaxPayload bytes).
    static std::unique_ptr<CMarkerSegment> MakeMarker(uint8_t code, const uint8_t* payload,
                                                      size_t size);

    // The bytes held: for a marker 0xFF, code, length field, payload; none for a data stretch.
    uint8_t* Bytes() { return bytes_.data(); }
    const uint8_t* Bytes() const { return bytes_.data(); }
    size_t ByteCount() const { return bytes_.size(); }
    // The marker code (second byte), or -1 when the record does not start with 0xFF and a code.
    int Code() const;
    // The big-endian length field (bytes 2-3), or -1 when the record holds fewer than 4 bytes.
    int LengthField() const;

    bool Has(SegmentFlag flag) const { return (flags & flag) != 0; }
    bool IsDeleted() const { return Has(SEG_DELETED); }

    uint16_t flags = 0;
    // Bytes the record stands for in the written file: the marker segment, the stretch, the
    // chunk (an IDAT chunk: its data length alone).
    uint64_t length = 0;
    // Offset in the source of the record's first byte (records split from a JPEG file); the
    // running end offset for PNG chunks; unused for records made in memory.
    uint64_t offset = 0;

private:
    std::vector<uint8_t> bytes_;
};

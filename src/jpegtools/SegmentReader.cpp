#include "jpegtools/SegmentReader.h"

#include "base/ByteReader.h"
#include "base/FileHandle.h"
#include "base/StagedFile.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr uint8_t kMarkerPrefix = 0xFF;
constexpr int kFirstMarkerCode = 0xC0; // lower codes after 0xFF are data (stuffing, reserved)
constexpr int kEoi = 0xD9;
constexpr size_t kPngChunkOverhead = 12; // length, type and CRC around the data

// RST0-RST7, SOI and EOI have no length field.
bool IsStandalone(int code) {
    return code >= 0xD0 && code <= kEoi;
}

uint32_t BigEndian32(const uint8_t* bytes) {
    ByteReader reader(bytes, 4);
    uint32_t value = 0;
    reader.U32be(value);
    return value;
}

} // namespace

CSegmentReader::CSegmentReader() : buffer_(kBufferSize) {}

CSegmentReader::~CSegmentReader() {
    Close();
}

bool CSegmentReader::Open(const std::string& path) {
    Close();
    // A FIFO or device is refused before the open could wait on it.
    FileHandle file = FileHandle::Open(path, "rb");
    if (!file) return false;
    return Attach(file.Release());
}

bool CSegmentReader::Attach(FILE* stream) {
    Close();
    file_ = stream;
    const bool seekable = fseeko(stream, 0, SEEK_END) == 0;
    const off_t end = seekable ? ftello(stream) : -1;
    if (end < 0 || !Rewind()) {
        Close();
        return false;
    }
    length_ = static_cast<uint64_t>(end);
    return true;
}

void CSegmentReader::Close() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
    length_ = filePosition_ = 0;
    readPosition_ = validCount_ = 0;
    atEnd_ = false;
}

bool CSegmentReader::Rewind() {
    if (!file_ || fseeko(file_, 0, SEEK_SET) != 0) return false;
    filePosition_ = 0;
    readPosition_ = validCount_ = 0;
    atEnd_ = false;
    return true;
}

// A short read means the end of the file: it is reported from then on without reading again.
bool CSegmentReader::Refill() {
    if (!file_ || atEnd_) return false;
    validCount_ = std::fread(buffer_.data(), 1, kBufferSize, file_);
    readPosition_ = 0;
    filePosition_ += validCount_;
    atEnd_ = validCount_ < kBufferSize;
    return validCount_ > 0;
}

template <typename Sink> uint64_t CSegmentReader::Consume(uint64_t count, Sink sink) {
    uint64_t done = 0;
    while (done < count) {
        if (readPosition_ == validCount_ && !Refill()) break;
        const size_t piece =
            static_cast<size_t>(std::min<uint64_t>(count - done, validCount_ - readPosition_));
        if (!sink(&buffer_[readPosition_], piece, done)) break;
        readPosition_ += piece;
        done += piece;
    }
    return done;
}

int CSegmentReader::ReadByte() {
    if (readPosition_ == validCount_ && !Refill()) return -1;
    return buffer_[readPosition_++];
}

size_t CSegmentReader::Read(uint8_t* destination, size_t count) {
    return static_cast<size_t>(
        Consume(count, [destination](const uint8_t* piece, size_t size, uint64_t done) {
            if (destination) std::memcpy(destination + done, piece, size);
            return true;
        }));
}

bool CSegmentReader::CopyTo(FILE* destination, uint64_t count) {
    auto write = [destination](const uint8_t* piece, size_t size, uint64_t) {
        return std::fwrite(piece, 1, size, destination) == size;
    };
    const uint64_t buffered = validCount_ - readPosition_;
    if (count <= buffered + kBufferSize) return Consume(count, write) == count;
    if (Consume(buffered, write) != buffered) return false;
    const int64_t copied = CopyInKernel(destination, count - buffered);
    if (copied < 0) return false;
    const uint64_t rest = count - buffered - static_cast<uint64_t>(copied);
    return Consume(rest, write) == rest;
}

// Long runs of file bytes (the scan data) go from file to file inside the kernel, without a
// pass through this buffer. Streams without a file (memory) and file systems that cannot do
// it copy nothing here; the caller copies the rest through the buffer.
int64_t CSegmentReader::CopyInKernel(FILE* destination, uint64_t count) {
    const int in = fileno(file_), out = fileno(destination);
    if (in < 0 || out < 0 || std::fflush(destination) != 0) return 0;
    off_t position = static_cast<off_t>(filePosition_);
    uint64_t done = 0;
    while (done < count) {
        const size_t piece = static_cast<size_t>(std::min<uint64_t>(count - done, 1 << 30));
        const ssize_t moved = copy_file_range(in, &position, out, nullptr, piece, 0);
        if (moved <= 0) break;
        done += static_cast<uint64_t>(moved);
    }
    if (done == 0) return 0;
    // The stream reads on from the new position; the buffer is empty.
    if (fseeko(file_, position, SEEK_SET) != 0) return -1;
    filePosition_ = static_cast<uint64_t>(position);
    readPosition_ = validCount_ = 0;
    atEnd_ = false;
    return static_cast<int64_t>(done);
}

uint64_t CSegmentReader::Skip(uint64_t count) {
    const uint64_t buffered = std::min<uint64_t>(count, validCount_ - readPosition_);
    readPosition_ += static_cast<size_t>(buffered);
    const uint64_t rest = count - buffered;
    if (rest == 0 || atEnd_ || filePosition_ >= length_) return buffered;
    const uint64_t move = std::min(rest, length_ - filePosition_);
    if (fseeko(file_, static_cast<off_t>(move), SEEK_CUR) != 0) return buffered;
    filePosition_ += move;
    return buffered + move;
}

int64_t CSegmentReader::ScanFor(uint8_t value) {
    int64_t passed = 0;
    for (;;) {
        if (readPosition_ == validCount_ && !Refill()) return -1;
        const uint8_t* start = &buffer_[readPosition_];
        const size_t available = validCount_ - readPosition_;
        const auto* found = static_cast<const uint8_t*>(std::memchr(start, value, available));
        const size_t count = found ? static_cast<size_t>(found - start) : available;
        readPosition_ += count;
        passed += static_cast<int64_t>(count);
        if (found) return passed;
    }
}

void CSegmentReader::AppendDataStretch(SegmentList& list, uint64_t start, uint64_t end) const {
    if (end <= start) return;
    auto stretch = std::make_unique<CMarkerSegment>(0);
    stretch->flags |= SEG_FROMFILE | SEG_DATA;
    stretch->offset = start;
    stretch->length = end - start;
    list.push_back(std::move(stretch));
}

// Reads the length field and payload of the marker whose 0xFF and code were just read; null
// when the file ends first or the length field is below 2 (it counts itself).
std::unique_ptr<CMarkerSegment> CSegmentReader::ReadMarkerSegment(uint64_t offset, uint8_t code) {
    uint8_t field[2];
    if (Read(field, 2) < 2) return nullptr;
    const size_t fieldValue = size_t{field[0]} << 8 | field[1];
    if (fieldValue < 2) return nullptr;
    auto segment = std::make_unique<CMarkerSegment>(fieldValue + 2);
    uint8_t* bytes = segment->Bytes();
    bytes[0] = kMarkerPrefix;
    bytes[1] = code;
    bytes[2] = field[0];
    bytes[3] = field[1];
    if (Read(bytes + 4, fieldValue - 2) < fieldValue - 2) return nullptr;
    segment->flags |= SEG_FROMFILE;
    segment->offset = offset;
    return segment;
}

// A marker is 0xFF and a code from 0xC0 to 0xFE. Any run of 0xFF may stand before it: the
// marker is the last 0xFF of the run with the code after it, the fill bytes belong to the data
// before it. 0xFF followed by a lower code (0x00 stuffing in scan data) is data.
int CSegmentReader::ParseJpeg(SegmentList& list) {
    uint64_t stretchStart = 0;
    while (ScanFor(kMarkerPrefix) >= 0) {
        uint64_t markerStart = Position();
        ReadByte();
        int code = ReadByte();
        while (code == kMarkerPrefix) {
            markerStart = Position() - 1;
            code = ReadByte();
        }
        if (code < 0) break;
        if (code < kFirstMarkerCode) continue;
        AppendDataStretch(list, stretchStart, markerStart);
        stretchStart = markerStart;
        std::unique_ptr<CMarkerSegment> marker;
        if (IsStandalone(code)) {
            const uint8_t bytes[2] = {kMarkerPrefix, static_cast<uint8_t>(code)};
            marker = std::make_unique<CMarkerSegment>(2, bytes);
            marker->flags |= SEG_FROMFILE;
            marker->offset = markerStart;
        } else {
            marker = ReadMarkerSegment(markerStart, static_cast<uint8_t>(code));
            if (!marker) break;
        }
        list.push_back(std::move(marker));
        stretchStart = Position();
        if (code == kEoi) return 1; // what follows the first EOI is not part of the image
    }
    // No EOI, or a marker segment cut short or malformed: the rest of the file is data.
    Skip(std::numeric_limits<uint64_t>::max());
    AppendDataStretch(list, stretchStart, Position());
    return 1;
}

// Reads one chunk; null at the end of the file or when the chunk is cut short. The data of a
// chunk other than IDAT is held, but only once the file is known to hold that many bytes.
std::unique_ptr<CPngChunk> CSegmentReader::ReadPngChunk() {
    uint8_t header[8];
    if (Read(header, sizeof header) < sizeof header) return nullptr;
    const uint32_t dataLength = BigEndian32(header);
    const uint32_t type = BigEndian32(header + 4);
    std::unique_ptr<CPngChunk> chunk;
    if (type == kPngIdat) {
        chunk = std::make_unique<CPngChunk>(0);
        chunk->flags |= SEG_DATA;
        chunk->length = dataLength;
        if (Skip(dataLength) < dataLength) return nullptr;
    } else {
        const uint64_t remaining = length_ > Position() ? length_ - Position() : 0;
        if (dataLength > remaining) return nullptr;
        chunk = std::make_unique<CPngChunk>(size_t{dataLength} + kPngChunkOverhead);
        std::copy(header, header + sizeof header, chunk->Bytes());
        if (Read(chunk->Bytes() + sizeof header, dataLength) < dataLength) return nullptr;
    }
    uint8_t crc[4];
    if (Read(crc, sizeof crc) < sizeof crc) return nullptr;
    if (type != kPngIdat) std::copy(crc, crc + sizeof crc, chunk->Bytes() + 8 + dataLength);
    chunk->crc = BigEndian32(crc);
    chunk->chunkType = type;
    return chunk;
}

// Each chunk's offset is the running end: the bytes of this chunk and all before it, counted
// from the first byte after the signature.
int CSegmentReader::ParsePng(SegmentList& list) {
    uint64_t end = 0;
    while (auto chunk = ReadPngChunk()) {
        end += chunk->Has(SEG_DATA) ? chunk->length + kPngChunkOverhead : chunk->length;
        chunk->offset = end;
        const bool last = chunk->chunkType == kPngIend;
        list.push_back(std::move(chunk));
        if (last) break;
    }
    return 1;
}

// Records from the file must continue the source exactly where the previous one ended; a list
// that does not fit its source is refused rather than written as a scrambled file.
bool CSegmentReader::CopySegment(FILE* destination, const CMarkerSegment& segment) {
    if (!segment.Has(SEG_FROMFILE)) {
        const size_t count = segment.ByteCount();
        return segment.IsDeleted() || count == 0 ||
               std::fwrite(segment.Bytes(), 1, count, destination) == count;
    }
    if (segment.offset != Position()) return false;
    if (segment.IsDeleted()) return Skip(segment.length) == segment.length;
    return CopyTo(destination, segment.length);
}

bool CSegmentReader::CopySegments(FILE* destination, const SegmentList& list) {
    if (!Rewind()) return false;
    for (const auto& segment : list)
        if (!CopySegment(destination, *segment)) return false;
    return std::fflush(destination) == 0 && !std::ferror(destination);
}

int CSegmentReader::WriteSegments(const std::string& source, const std::string& destination,
                                  const SegmentList& list) {
    if (!Open(source)) return 0;
    CStagedFile output;
    const bool written = output.Create(destination) && CopySegments(output.File(), list);
    Close();
    return written && output.Commit(false) ? 1 : 0;
}

#pragma once
// Buffered reading of one JPEG or PNG file, its splitting into a segment list and the writing
// of a (changed) list back out. Only marker segments and non-IDAT chunks are held in memory;
// everything between markers stays in the source file and is copied from it when a list is
// written, so memory grows with the number of markers, not with the size of the scan data.
//
// Typical use: Open, ParseJpeg, Close; edit the list (SegmentList.h); WriteSegments with the
// same, unchanged source file.
#include "jpegtools/PngChunk.h"
#include "jpegtools/SegmentList.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

class CSegmentReader {
public:
    static constexpr size_t kBufferSize = 0x10000;

    CSegmentReader();
    ~CSegmentReader();
    CSegmentReader(const CSegmentReader&) = delete;
    CSegmentReader& operator=(const CSegmentReader&) = delete;

    // Opens a regular file for reading (closing any file opened before) and records its
    // length; false when it cannot be opened. The caller reports the failure.
    bool Open(const std::string& path);
    // Reads from a stream opened by the caller instead (a file, or memory through fmemopen);
    // the reader owns it from now on. false (stream closed) when the stream cannot seek.
    bool Attach(FILE* stream);
    void Close();
    bool IsOpen() const { return file_ != nullptr; }
    // The file length recorded when it was opened.
    uint64_t GetLength() const { return length_; }
    // Offset of the next byte to be read.
    uint64_t Position() const { return filePosition_ - (validCount_ - readPosition_); }
    // Goes back to the start of the file; false when the stream cannot seek.
    bool Rewind();

    // The next byte (0-255), or -1 at the end of the file.
    int ReadByte();
    // Reads up to count bytes into destination (null: only consumes them); returns the count read.
    size_t Read(uint8_t* destination, size_t count);
    // Consumes up to count bytes, seeking past what the buffer does not hold; returns how many
    // were passed (fewer only at the end of the file).
    uint64_t Skip(uint64_t count);
    // Consumes the bytes before the next byte equal to value, which stays unread, and returns
    // their count; -1 at the end of the file (every byte consumed).
    int64_t ScanFor(uint8_t value);
    // Copies count bytes from the read position to destination; false on a short read or a
    // failed write.
    bool CopyTo(FILE* destination, uint64_t count);

    // Splits the open file into marker segments and data stretches, up to and including the
    // first EOI; a file without EOI, or one that ends inside a marker segment, keeps the rest
    // of its bytes as a final data stretch. Never fails: returns 1.
    int ParseJpeg(SegmentList& list);
    // Splits the open PNG file, whose 8-byte signature the caller has read and checked, into
    // chunks up to IEND. A truncated chunk ends the list. Never fails: returns 1.
    int ParsePng(SegmentList& list);

    // Writes destination from list, taking SEG_FROMFILE records from source (which this
    // reader opens and closes) and the others from memory. Returns 1, or 0 when the source
    // cannot be read, the list does not match it, or the destination cannot be written; a
    // failed destination is never left behind (an existing one keeps its contents).
    int WriteSegments(const std::string& source, const std::string& destination,
                      const SegmentList& list);
    // The writing step of WriteSegments on the open source (read again from its start):
    // copies the list to destination; false on a failure as above.
    bool CopySegments(FILE* destination, const SegmentList& list);

private:
    bool Refill();
    // Hands up to count buffered bytes to sink(piece, size, doneSoFar) piece by piece, refilling
    // as needed; stops early at the end of the file or when sink returns false.
    template <typename Sink> uint64_t Consume(uint64_t count, Sink sink);
    void AppendDataStretch(SegmentList& list, uint64_t start, uint64_t end) const;
    std::unique_ptr<CMarkerSegment> ReadMarkerSegment(uint64_t offset, uint8_t code);
    std::unique_ptr<CPngChunk> ReadPngChunk();
    bool CopySegment(FILE* destination, const CMarkerSegment& segment);
    // Copies up to count bytes from the file position (buffer empty) to destination's file
    // in the kernel; returns the count copied (0: none, copy through the buffer), -1 on failure.
    int64_t CopyInKernel(FILE* destination, uint64_t count);

    FILE* file_ = nullptr;
    uint64_t length_ = 0;
    uint64_t filePosition_ = 0; // file offset just after the buffered bytes
    std::vector<uint8_t> buffer_;
    size_t readPosition_ = 0;
    size_t validCount_ = 0;
    bool atEnd_ = false; // the last refill was short: nothing more to read
};

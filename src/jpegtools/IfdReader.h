#pragma once
// Reads a TIFF structure (an 8-byte header and chains of image file directories) into a flat
// list of entries, and reads values out of them in the structure's byte order.
//
// Parsing follows IFD0's chain, then the SubIFDs, Exif and Interoperability pointers (also
// those found in directories read on the way), but not the GPS pointer. Untrusted offsets are
// checked against the structure: an entry whose value lies outside it is left out, a directory
// offset outside it or pointing at a directory already read ends that chain.
#include "jpegtools/IfdEntry.h"
#include "jpegtools/IfdSource.h"

#include <cstdint>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

class ByteReader;

// Tags the walk follows into further directories.
enum : uint16_t {
    kTagSubIfds = 0x014A,
    kTagExifIfd = 0x8769,
    kTagInteropIfd = 0xA005,
};

class CIfdReader {
public:
    virtual ~CIfdReader() = default;

    // Reads the TIFF file at `path`. Returns the count of the walks (0 when it is no TIFF
    // structure or IFD0 cannot be read), or -1 when the file cannot be opened.
    int ParseTiffFile(const std::string& path);
    // As ParseTiffFile over a file opened for reading; the caller closes it.
    int ParseTiffStream(std::FILE* file);

    // Entries in reading order; those read before a parse failed stay.
    const std::vector<CIfdEntry>& Entries() const { return entries_; }
    bool BigEndian() const { return bigEndian_; }

    // The first entry with the tag, or nullptr.
    const CIfdEntry* FindTag(uint16_t tag) const;

    // The first value read as SHORT / LONG; 0 when the entry holds too few bytes.
    uint16_t GetShort(const CIfdEntry& entry) const;
    uint32_t GetLong(const CIfdEntry& entry) const;
    // The first value read as RATIONAL / SRATIONAL: numerator ÷ denominator, 0 when the
    // denominator is 0. The parts go to `numerator` and `denominator` when given.
    double GetRational(const CIfdEntry& entry, uint32_t* numerator = nullptr,
                       uint32_t* denominator = nullptr) const;
    double GetSRational(const CIfdEntry& entry, int32_t* numerator = nullptr,
                        int32_t* denominator = nullptr) const;
    // The value bytes (at least entry.ValueSize() of them).
    const uint8_t* ValueBytes(const CIfdEntry& entry) const { return entry.Value(); }
    // Bytes of one value of the entry's type; callers step GetValueAt positions by it.
    size_t TypeSize(const CIfdEntry& entry) const { return TiffTypeSize(entry.Type()); }
    // The integer at byte `position` of the value: a byte for BYTE and UNDEFINED, 16 bits for
    // SHORT and SSHORT, 32 bits for LONG and SLONG (not sign-extended); 0 for other types and
    // positions past the value.
    uint32_t GetValueAt(const CIfdEntry& entry, size_t position) const;
    // The value's bytes up to the first zero byte, at most Count() of them.
    std::string GetText(const CIfdEntry& entry) const;

protected:
    // Reads the header and the directories of `source` (replacing earlier entries).
    int Parse(IfdSource& source);

private:
    // Appends the directories of the chain starting at `offset`; yields the entry count of
    // its last directory, or 0 when a directory table does not fit.
    int WalkChain(IfdSource& source, uint32_t offset);
    // Walks the chains that entries of the list point to; yields the sum of the walks.
    int64_t WalkSubDirectories(IfdSource& source);
    // Reads the 12-byte entry at the table reader's position and appends it, unless its value
    // lies outside the structure.
    void AddEntry(IfdSource& source, ByteReader& table);
    // Counts `size` more bytes copied out of a file; false when copies would outgrow it.
    bool ReserveCopy(const IfdSource& source, size_t size);

    std::vector<CIfdEntry> entries_;
    bool bigEndian_ = false;
    // Walk bookkeeping, reset by Parse.
    std::set<uint32_t> visitedDirectories_;
    uint64_t declaredEntries_ = 0;
    uint64_t copiedBytes_ = 0;
};

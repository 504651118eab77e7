#include "jpegtools/IfdReader.h"

#include "base/ByteReader.h"
#include "base/FileHandle.h"

#include <algorithm>
#include <climits>
#include <utility>

namespace {

constexpr size_t kHeaderSize = 8;
constexpr size_t kEntrySize = 12;
constexpr size_t kValueFieldSize = 4;
constexpr uint16_t kTiffMagic = 42;

bool FollowsDirectory(uint16_t tag) {
    return tag == kTagSubIfds || tag == kTagExifIfd || tag == kTagInteropIfd;
}

} // namespace

int CIfdReader::ParseTiffFile(const std::string& path) {
    FileHandle file = FileHandle::Open(path, "rb");
    if (!file) return -1;
    return ParseTiffStream(file.get());
}

int CIfdReader::ParseTiffStream(std::FILE* file) {
    FileIfdSource source(file);
    return Parse(source);
}

int CIfdReader::Parse(IfdSource& source) {
    entries_.clear();
    visitedDirectories_.clear();
    declaredEntries_ = 0;
    copiedBytes_ = 0;

    std::vector<uint8_t> scratch;
    const uint8_t* header = source.Fetch(0, kHeaderSize, scratch);
    if (!header) return 0;
    if (header[0] == 'M' && header[1] == 'M')
        bigEndian_ = true;
    else if (header[0] == 'I' && header[1] == 'I')
        bigEndian_ = false;
    else
        return 0;
    ByteReader reader(header + 2, kHeaderSize - 2);
    uint16_t magic = 0;
    uint32_t firstOffset = 0;
    reader.U16(magic, bigEndian_);
    reader.U32(firstOffset, bigEndian_);
    if (magic != kTiffMagic || firstOffset > source.Size() - 4) return 0;

    int count = WalkChain(source, firstOffset);
    if (count == 0) return 0;
    int64_t total = int64_t{count} + WalkSubDirectories(source);
    return static_cast<int>(std::min<int64_t>(total, INT_MAX));
}

int64_t CIfdReader::WalkSubDirectories(IfdSource& source) {
    // Entries appended by a walk are visited too: the Exif IFD's Interoperability pointer.
    int64_t total = 0;
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (!FollowsDirectory(entries_[i].Tag())) continue;
        total += WalkChain(source, GetLong(entries_[i]));
    }
    return total;
}

int CIfdReader::WalkChain(IfdSource& source, uint32_t offset) {
    int lastCount = 0;
    std::vector<uint8_t> scratch;
    for (;;) {
        // A directory read before ends the chain, so a cycle cannot loop.
        if (!visitedDirectories_.insert(offset).second) return lastCount;
        const uint8_t* countField = source.Fetch(offset, 2, scratch);
        if (!countField) return lastCount; // offset outside the structure: not followed
        uint16_t count = 0;
        ByteReader(countField, 2).U16(count, bigEndian_);

        // Directories of a sound structure do not overlap, so together they hold at most
        // Size() / 12 entries; more means overlapping tables that would multiply the list.
        if (declaredEntries_ + count > source.Size() / kEntrySize) return 0;
        const size_t tableSize = count * kEntrySize + 4;
        const uint8_t* table = source.Fetch(uint64_t{offset} + 2, tableSize, scratch);
        if (!table) return 0;
        declaredEntries_ += count;

        ByteReader reader(table, tableSize);
        for (uint16_t i = 0; i < count; ++i)
            AddEntry(source, reader);
        uint32_t next = 0;
        reader.U32(next, bigEndian_);
        if (next == 0) return count;
        lastCount = count;
        offset = next;
    }
}

void CIfdReader::AddEntry(IfdSource& source, ByteReader& table) {
    uint16_t tag = 0, type = 0;
    uint32_t count = 0, valueOffset = 0;
    table.U16(tag, bigEndian_);
    table.U16(type, bigEndian_);
    table.U32(count, bigEndian_);
    const uint8_t* value = table.Here();
    table.U32(valueOffset, bigEndian_);

    size_t byteCount = 0;
    if (!CheckedMultiply(count, TiffTypeSize(type), byteCount)) return;
    const size_t size = std::max(byteCount, kValueFieldSize);
    if (!source.Lasting() && !ReserveCopy(source, size)) return;

    std::vector<uint8_t> bytes;
    if (byteCount > kValueFieldSize) {
        value = source.Fetch(valueOffset, byteCount, bytes);
        if (!value) return; // the value lies outside the structure: the entry is left out
    }
    if (source.Lasting()) {
        entries_.push_back(CIfdEntry::View(tag, type, count, value, size));
        return;
    }
    if (value != bytes.data()) bytes.assign(value, value + size);
    entries_.push_back(CIfdEntry::Own(tag, type, count, std::move(bytes)));
}

bool CIfdReader::ReserveCopy(const IfdSource& source, size_t size) {
    // The values of a sound structure do not overlap, so their copies fit in its size.
    if (copiedBytes_ > source.Size() || size > source.Size() - copiedBytes_) return false;
    copiedBytes_ += size;
    return true;
}

const CIfdEntry* CIfdReader::FindTag(uint16_t tag) const {
    auto found = std::find_if(entries_.begin(), entries_.end(),
                              [tag](const CIfdEntry& entry) { return entry.Tag() == tag; });
    return found == entries_.end() ? nullptr : &*found;
}

uint16_t CIfdReader::GetShort(const CIfdEntry& entry) const {
    uint16_t value = 0;
    ByteReader(entry.Value(), entry.ValueSize()).U16(value, bigEndian_);
    return value;
}

uint32_t CIfdReader::GetLong(const CIfdEntry& entry) const {
    uint32_t value = 0;
    ByteReader(entry.Value(), entry.ValueSize()).U32(value, bigEndian_);
    return value;
}

double CIfdReader::GetRational(const CIfdEntry& entry, uint32_t* numerator,
                               uint32_t* denominator) const {
    uint32_t top = 0, bottom = 0;
    ByteReader reader(entry.Value(), entry.ValueSize());
    if (!reader.U32(top, bigEndian_) || !reader.U32(bottom, bigEndian_)) top = bottom = 0;
    if (numerator) *numerator = top;
    if (denominator) *denominator = bottom;
    return bottom == 0 ? 0.0 : static_cast<double>(top) / bottom;
}

double CIfdReader::GetSRational(const CIfdEntry& entry, int32_t* numerator,
                                int32_t* denominator) const {
    uint32_t top = 0, bottom = 0;
    GetRational(entry, &top, &bottom);
    const auto signedTop = static_cast<int32_t>(top);
    const auto signedBottom = static_cast<int32_t>(bottom);
    if (numerator) *numerator = signedTop;
    if (denominator) *denominator = signedBottom;
    return signedBottom == 0 ? 0.0 : static_cast<double>(signedTop) / signedBottom;
}

uint32_t CIfdReader::GetValueAt(const CIfdEntry& entry, size_t position) const {
    ByteReader reader(entry.Value(), entry.ValueSize());
    if (!reader.Seek(position)) return 0;
    uint8_t byte = 0;
    uint16_t half = 0;
    uint32_t word = 0;
    switch (entry.Type()) {
    case kTiffByte:
    case kTiffUndefined:
        reader.U8(byte);
        return byte;
    case kTiffShort:
    case kTiffSShort:
        reader.U16(half, bigEndian_);
        return half;
    case kTiffLong:
    case kTiffSLong:
        reader.U32(word, bigEndian_);
        return word;
    default:
        return 0;
    }
}

std::string CIfdReader::GetText(const CIfdEntry& entry) const {
    const auto* bytes = reinterpret_cast<const char*>(entry.Value());
    const size_t limit = std::min<size_t>(entry.Count(), entry.ValueSize());
    return std::string(bytes, std::find(bytes, bytes + limit, '\0'));
}

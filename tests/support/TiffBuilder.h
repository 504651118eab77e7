#pragma once
// Builds small TIFF structures (an Exif block) in either byte order: IFD0, an Exif IFD linked
// from IFD0 by tag 0x8769 when it has entries, and IFD1 chained after IFD0 when it has entries.
// Layout: header, then each directory's table followed by its out-of-line values.
#include <cstdint>
#include <string>
#include <vector>

class TiffBuilder {
public:
    enum Directory { kIfd0, kExif, kIfd1, kDirectoryCount };

    explicit TiffBuilder(bool bigEndian) : big_(bigEndian) {}

    TiffBuilder& Add(Directory dir, uint16_t tag, uint16_t type, uint32_t count,
                     std::vector<uint8_t> value) {
        dirs_[dir].push_back({tag, type, count, std::move(value)});
        return *this;
    }
    TiffBuilder& Short(Directory dir, uint16_t tag, uint16_t value) {
        return Add(dir, tag, 3, 1, U16(value));
    }
    TiffBuilder& Shorts(Directory dir, uint16_t tag, const std::vector<uint16_t>& values) {
        std::vector<uint8_t> bytes;
        for (uint16_t value : values)
            bytes = Join(bytes, U16(value));
        return Add(dir, tag, 3, static_cast<uint32_t>(values.size()), bytes);
    }
    TiffBuilder& Rational(Directory dir, uint16_t tag, uint32_t numerator, uint32_t denominator) {
        return Add(dir, tag, 5, 1, Join(U32(numerator), U32(denominator)));
    }
    TiffBuilder& SRational(Directory dir, uint16_t tag, int32_t numerator, int32_t denominator) {
        return Rational(dir, tag, static_cast<uint32_t>(numerator),
                        static_cast<uint32_t>(denominator));
    }
    TiffBuilder& Ascii(Directory dir, uint16_t tag, const std::string& text) {
        std::vector<uint8_t> bytes(text.begin(), text.end());
        bytes.push_back(0);
        return Add(dir, tag, 2, static_cast<uint32_t>(bytes.size()), bytes);
    }
    TiffBuilder& Undefined(Directory dir, uint16_t tag, const std::string& bytes) {
        return Add(dir, tag, 7, static_cast<uint32_t>(bytes.size()),
                   std::vector<uint8_t>(bytes.begin(), bytes.end()));
    }

    std::vector<uint8_t> U16(uint16_t value) const {
        return big_ ? std::vector<uint8_t>{uint8_t(value >> 8), uint8_t(value)}
                    : std::vector<uint8_t>{uint8_t(value), uint8_t(value >> 8)};
    }
    std::vector<uint8_t> U32(uint32_t value) const {
        return big_ ? Join(U16(uint16_t(value >> 16)), U16(uint16_t(value)))
                    : Join(U16(uint16_t(value)), U16(uint16_t(value >> 16)));
    }
    // Overwrites the 32-bit number at `offset` of a built block.
    void PutU32(std::vector<uint8_t>& block, size_t offset, uint32_t value) const {
        std::vector<uint8_t> bytes = U32(value);
        std::copy(bytes.begin(), bytes.end(), block.begin() + static_cast<long>(offset));
    }

    // Offset of a directory in the built block.
    uint32_t DirectoryOffset(Directory dir) const {
        uint32_t offset = 8;
        for (int d = 0; d < dir; ++d)
            offset += DirectorySize(Directory(d));
        return offset;
    }

    std::vector<uint8_t> Build() const {
        std::vector<uint8_t> out =
            big_ ? std::vector<uint8_t>{'M', 'M'} : std::vector<uint8_t>{'I', 'I'};
        Append(out, U16(42));
        Append(out, U32(8));
        for (int d = 0; d < kDirectoryCount; ++d)
            AppendDirectory(out, Directory(d));
        return out;
    }

private:
    struct Entry {
        uint16_t tag, type;
        uint32_t count;
        std::vector<uint8_t> value;
    };

    static std::vector<uint8_t> Join(std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    }
    static void Append(std::vector<uint8_t>& out, const std::vector<uint8_t>& bytes) {
        out.insert(out.end(), bytes.begin(), bytes.end());
    }

    // IFD0 gets the Exif pointer when the Exif IFD has entries.
    std::vector<Entry> EntriesOf(Directory dir) const {
        std::vector<Entry> entries = dirs_[dir];
        if (dir == kIfd0 && !dirs_[kExif].empty())
            entries.push_back({0x8769, 4, 1, U32(DirectoryOffset(kExif))});
        return entries;
    }
    uint32_t DirectorySize(Directory dir) const {
        if (dir != kIfd0 && dirs_[dir].empty()) return 0;
        size_t entries = dirs_[dir].size() + (dir == kIfd0 && !dirs_[kExif].empty() ? 1 : 0);
        uint32_t size = uint32_t(2 + 12 * entries + 4);
        for (const Entry& entry : dirs_[dir])
            if (entry.value.size() > 4) size += uint32_t(entry.value.size());
        return size;
    }
    void AppendDirectory(std::vector<uint8_t>& out, Directory dir) const {
        if (DirectorySize(dir) == 0) return;
        const std::vector<Entry> entries = EntriesOf(dir);
        uint32_t valueOffset = uint32_t(out.size() + 2 + 12 * entries.size() + 4);
        std::vector<uint8_t> values;
        Append(out, U16(uint16_t(entries.size())));
        for (const Entry& entry : entries) {
            Append(out, U16(entry.tag));
            Append(out, U16(entry.type));
            Append(out, U32(entry.count));
            if (entry.value.size() > 4) {
                Append(out, U32(valueOffset + uint32_t(values.size())));
                Append(values, entry.value);
            } else {
                std::vector<uint8_t> field = entry.value;
                field.resize(4, 0);
                Append(out, field);
            }
        }
        const bool chained = dir == kIfd0 && !dirs_[kIfd1].empty();
        Append(out, U32(chained ? DirectoryOffset(kIfd1) : 0));
        Append(out, values);
    }

    bool big_;
    std::vector<Entry> dirs_[kDirectoryCount];
};

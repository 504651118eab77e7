#pragma once
// Little-endian TIFF structures built byte by byte: IFD0, an optional Exif IFD (with an
// optional Interoperability IFD) and pixel data at a fixed offset. The same bytes after
// "Exif\0\0" make the APP1 body of a JPEG file.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

struct TiffField {
    uint16_t tag;
    uint16_t type;                // 1 BYTE, 2 ASCII, 3 SHORT, 4 LONG, 7 UNDEFINED
    std::vector<uint32_t> values; // numbers of SHORT and LONG fields
    std::string bytes;            // contents of BYTE, ASCII and UNDEFINED fields
};

inline TiffField Short(uint16_t tag, std::vector<uint32_t> values) {
    return {tag, 3, std::move(values), {}};
}
inline TiffField Long(uint16_t tag, std::vector<uint32_t> values) {
    return {tag, 4, std::move(values), {}};
}
inline TiffField Undefined(uint16_t tag, std::string bytes) {
    return {tag, 7, {}, std::move(bytes)};
}
inline TiffField Ascii(uint16_t tag, std::string text) {
    return {tag, 2, {}, text + '\0'};
}

namespace tiff_fixture {

inline void Put16(std::string& out, size_t at, uint32_t value) {
    out[at] = static_cast<char>(value);
    out[at + 1] = static_cast<char>(value >> 8);
}
inline void Put32(std::string& out, size_t at, uint32_t value) {
    Put16(out, at, value & 0xFFFF);
    Put16(out, at + 2, value >> 16);
}

inline std::string ValueBytes(const TiffField& field) {
    if (field.type != 3 && field.type != 4) return field.bytes;
    std::string bytes(field.values.size() * (field.type == 3 ? 2 : 4), '\0');
    for (size_t i = 0; i < field.values.size(); ++i) {
        if (field.type == 3)
            Put16(bytes, 2 * i, field.values[i]);
        else
            Put32(bytes, 4 * i, field.values[i]);
    }
    return bytes;
}

inline uint32_t CountOf(const TiffField& field) {
    return static_cast<uint32_t>(field.type == 3 || field.type == 4 ? field.values.size()
                                                                    : field.bytes.size());
}

// Appends a directory (no next one) and its out-of-line values at the end of `out`.
inline size_t AppendIfd(std::string& out, std::vector<TiffField> fields) {
    std::sort(fields.begin(), fields.end(), [](auto& a, auto& b) { return a.tag < b.tag; });
    size_t start = out.size();
    out.resize(start + 2 + 12 * fields.size() + 4, '\0');
    Put16(out, start, static_cast<uint32_t>(fields.size()));
    for (size_t i = 0; i < fields.size(); ++i) {
        size_t entry = start + 2 + 12 * i;
        std::string value = ValueBytes(fields[i]);
        Put16(out, entry, fields[i].tag);
        Put16(out, entry + 2, fields[i].type);
        Put32(out, entry + 4, CountOf(fields[i]));
        if (value.size() <= 4) {
            out.replace(entry + 8, value.size(), value);
        } else {
            Put32(out, entry + 8, static_cast<uint32_t>(out.size()));
            out += value;
            if (out.size() % 2) out += '\0';
        }
    }
    return start;
}

// Points the LONG entry with `tag` of the directory at `ifd` to `target`.
inline void Link(std::string& out, size_t ifd, uint16_t tag, size_t target) {
    size_t count = static_cast<uint8_t>(out[ifd]) | static_cast<uint8_t>(out[ifd + 1]) << 8;
    for (size_t i = 0; i < count; ++i) {
        size_t entry = ifd + 2 + 12 * i;
        if ((static_cast<uint8_t>(out[entry]) | static_cast<uint8_t>(out[entry + 1]) << 8) == tag)
            Put32(out, entry + 8, static_cast<uint32_t>(target));
    }
}

} // namespace tiff_fixture

// The structure; an Exif IFD is linked from IFD0 when `exif` has fields, an Interoperability
// IFD from the Exif IFD when `interop` has fields. Pixels start at `pixelOffset`.
inline std::string MakeTiff(std::vector<TiffField> ifd0, std::vector<TiffField> exif = {},
                            std::vector<TiffField> interop = {}, const std::string& pixels = {},
                            size_t pixelOffset = 4096) {
    using namespace tiff_fixture;
    std::string out("II\x2A\0\x08\0\0\0", 8);
    if (!exif.empty()) ifd0.push_back(Long(0x8769, {0}));
    if (!interop.empty()) exif.push_back(Long(0xA005, {0}));
    size_t first = AppendIfd(out, ifd0);
    if (!exif.empty()) {
        size_t exifIfd = AppendIfd(out, exif);
        Link(out, first, 0x8769, exifIfd);
        if (!interop.empty()) Link(out, exifIfd, 0xA005, AppendIfd(out, interop));
    }
    if (!pixels.empty()) {
        out.resize(std::max(out.size(), pixelOffset), '\0');
        out += pixels;
    }
    return out;
}

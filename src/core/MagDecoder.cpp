#include "core/MagDecoder.h"

#include <array>

namespace {

constexpr size_t kMaxUserName = 24;
constexpr size_t kHeaderSize = 32;
constexpr size_t kRingLines = 16;
constexpr uint8_t kTextEnd = 0x1A;

struct MagHeader {
    uint8_t screenMode = 0;
    uint16_t xStart = 0, yStart = 0, xEnd = 0, yEnd = 0;
    uint32_t flagAOffset = 0, flagBOffset = 0, pixelOffset = 0, pixelSize = 0;
};

// Flag A: one bit per flag byte of a line, most significant bit first.
struct BitStream {
    SectionStream bytes;
    int bit = 8;
    uint8_t current = 0;

    bool Next(bool& value) {
        if (bit == 8) {
            if (!bytes.Next(current)) return false;
            bit = 0;
        }
        value = (current >> (7 - bit++)) & 1;
        return true;
    }
};

// Where a flag nibble copies its two bytes from: bytes to the left and lines up.
struct CopySource {
    int dx, dy;
};
constexpr std::array<CopySource, 16> kCopyTable = {{{0, 0},   {-2, 0},  {-4, 0},  {-8, 0},
                                                    {0, -1},  {-2, -1}, {0, -2},  {-2, -2},
                                                    {-4, -2}, {0, -4},  {-2, -4}, {-4, -4},
                                                    {0, -8},  {-2, -8}, {-4, -8}, {0, -16}}};

// The user name (up to the first 0x1A, at most 24 bytes) and the comment (up to 0x1A or
// 0x00). A comment ended by 0x00 has already consumed the first header byte.
bool ReadTexts(ByteReader& in, MagPicture& picture, bool& headerStarted) {
    uint8_t c = 0;
    while (picture.author.size() < kMaxUserName) {
        if (!in.U8(c)) return false;
        if (c == kTextEnd) break;
        picture.author += static_cast<char>(c);
    }
    for (;;) {
        if (!in.U8(c)) return false;
        if (c == kTextEnd || c == 0) break;
        picture.comment += static_cast<char>(c);
    }
    headerStarted = c == 0;
    return true;
}

bool ReadHeader(ByteReader& in, bool headerStarted, MagHeader& header) {
    std::array<uint8_t, kHeaderSize> bytes{};
    size_t skip = headerStarted ? 1 : 0;
    if (!in.Bytes(bytes.data() + skip, kHeaderSize - skip)) return false;
    ByteReader fields(bytes.data(), bytes.size());
    fields.Skip(3);
    uint32_t flagBSize = 0;
    return fields.U8(header.screenMode) && fields.U16le(header.xStart) &&
           fields.U16le(header.yStart) && fields.U16le(header.xEnd) &&
           fields.U16le(header.yEnd) && fields.U32le(header.flagAOffset) &&
           fields.U32le(header.flagBOffset) && fields.U32le(flagBSize) &&
           fields.U32le(header.pixelOffset) && fields.U32le(header.pixelSize);
}

// A section that must lie wholly in the file.
bool TakeSection(ByteReader& in, size_t size, SectionStream& section) {
    section = {in.Here(), size, 0};
    return in.Skip(size);
}

// Picture size and the per-line counts of the flag and pixel planes.
struct MagLayout {
    size_t lines = 0;       // stored lines
    size_t lineBytes = 0;   // pixel bytes per line (2 pixels per byte at 16 colours)
    size_t flagBytes = 0;   // flag bytes per line: one nibble per 2 pixel bytes
    bool wide = false;      // 256 colours, 1 pixel per byte
    bool doubled = false;   // 200-line mode
};

bool SetUpPicture(const MagHeader& header, MagPicture& picture, MagLayout& layout) {
    if (header.yEnd < header.yStart) return false;
    // The x range is widened to whole groups of 8 pixels (16-bit arithmetic, as stored).
    uint16_t width = static_cast<uint16_t>((header.xEnd & ~7u) - (header.xStart & ~7u) + 8);
    width = static_cast<uint16_t>(width & ~7u);
    if (width == 0) return false;
    layout.lines = size_t{header.yEnd} - header.yStart + 1;
    layout.wide = (header.screenMode & kMode256Color) != 0;
    layout.doubled = (header.screenMode & kMode200Line) != 0;
    layout.lineBytes = layout.wide ? width : width / 2u;
    layout.flagBytes = layout.lineBytes / 4;

    picture.width = width;
    picture.height = static_cast<int>(layout.lines * (layout.doubled ? 2 : 1));
    picture.dibBitCount = 8;
    bool eightColors = !layout.wide && (header.screenMode & kMode8Color) != 0;
    picture.colorCount = layout.wide ? 256 : eightColors ? 8 : 16;
    picture.bits = layout.wide ? 8 : eightColors ? 3 : 4;
    picture.colorTable.assign(256, RgbQuad{});
    return true;
}

class MagPlaneDecoder {
public:
    MagPlaneDecoder(const MagLayout& layout, BitStream flagA, SectionStream flagB, SectionStream pixels)
        : layout_(layout), flagA_(flagA), flagB_(flagB), pixels_(pixels),
          flagLine_(layout.flagBytes, 0), ring_(kRingLines * layout.lineBytes, 0) {}

    bool Decode(MagPicture& picture) {
        for (size_t n = 0; n < layout_.lines; ++n) {
            if (!UpdateFlagLine() || !DecodeLine(n)) return false;
            StoreLine(RingLine(n), picture, n * (layout_.doubled ? 2 : 1));
            if (layout_.doubled) StoreLine(RingLine(n), picture, 2 * n + 1);
        }
        return true;
    }

private:
    uint8_t* RingLine(size_t n) { return ring_.data() + (n % kRingLines) * layout_.lineBytes; }

    // Flag bytes carry over from the line above; a set flag-A bit XORs in a flag-B byte.
    bool UpdateFlagLine() {
        for (uint8_t& flag : flagLine_) {
            bool changed = false;
            uint8_t delta = 0;
            if (!flagA_.Next(changed)) return false;
            if (changed && !flagB_.Next(delta)) return false;
            flag ^= delta;
        }
        return true;
    }

    bool DecodeLine(size_t n) {
        uint8_t* line = RingLine(n);
        for (size_t j = 0; j < flagLine_.size(); ++j) {
            if (!DecodePair(n, line, 4 * j, flagLine_[j] >> 4) ||
                !DecodePair(n, line, 4 * j + 2, flagLine_[j] & 0x0F))
                return false;
        }
        return true;
    }

    // Two bytes at position i: a literal from the pixel data or a copy from the table.
    bool DecodePair(size_t n, uint8_t* line, size_t i, int nibble) {
        if (nibble == 0) return pixels_.Next(line[i]) && pixels_.Next(line[i + 1]);
        const CopySource source = kCopyTable[static_cast<size_t>(nibble)];
        // An encoder never points left of the line start; such a file is corrupt.
        if (i < static_cast<size_t>(-source.dx)) return false;
        const uint8_t* from = RingLine(n + kRingLines - static_cast<size_t>(-source.dy));
        size_t at = i - static_cast<size_t>(-source.dx);
        line[i] = from[at];
        line[i + 1] = from[at + 1];
        return true;
    }

    void StoreLine(const uint8_t* line, MagPicture& picture, size_t y) {
        uint8_t* row = picture.Row(y);
        if (layout_.wide) {
            std::copy(line, line + layout_.lineBytes, row);
            return;
        }
        for (size_t i = 0; i < layout_.lineBytes; ++i) {
            row[2 * i] = line[i] >> 4;
            row[2 * i + 1] = line[i] & 0x0F;
        }
    }

    const MagLayout& layout_;
    BitStream flagA_;
    SectionStream flagB_;
    SectionStream pixels_;
    std::vector<uint8_t> flagLine_;
    std::vector<uint8_t> ring_;
};

} // namespace

bool DecodeMagBody(ByteReader& in, MagPicture& picture) {
    bool headerStarted = false;
    MagHeader header;
    MagLayout layout;
    if (!ReadTexts(in, picture, headerStarted) || !ReadHeader(in, headerStarted, header) ||
        !SetUpPicture(header, picture, layout))
        return false;
    if (header.flagBOffset < header.flagAOffset || header.pixelOffset < header.flagBOffset)
        return false;

    // The sections follow one another; their sizes come from the offsets.
    const size_t fileColors = layout.wide ? 256 : 16;
    SectionStream palette, flagA, flagB;
    if (!TakeSection(in, 3 * fileColors, palette) ||
        !TakeSection(in, header.flagBOffset - header.flagAOffset, flagA) ||
        !TakeSection(in, header.pixelOffset - header.flagBOffset, flagB))
        return false;
    // The pixel data ends the file; a size beyond it fails only when the decoding needs more.
    SectionStream pixels{in.Here(), std::min<size_t>(header.pixelSize, in.Remaining()), 0};

    // Flag A holds one bit per flag byte of every line: this bounds the picture by the file.
    size_t flagBits = 0;
    if (!CheckedMultiply(layout.lines, layout.flagBytes, flagBits) || (flagBits + 7) / 8 > flagA.size)
        return false;
    ConvertGrbPalette(palette.data, fileColors, picture.colorTable.data());
    if (!AllocateRows(picture)) return false;
    return MagPlaneDecoder(layout, BitStream{flagA}, flagB, pixels).Decode(picture);
}

#include "core/MakiDecoder.h"

#include <algorithm>
#include <array>

namespace {

constexpr size_t kUserNameField = 24;
constexpr size_t kPaletteBytes = 48;
constexpr size_t kLineBytes = 320; // 640 pixels at 4 bits
constexpr size_t kStoredLines = 400;
constexpr size_t kBlockLines = 4;
constexpr size_t kBlockCount = kStoredLines / kBlockLines;
constexpr size_t kFlagColumns = 80; // one flag nibble per 4 bytes of a line
constexpr size_t kFlagABytesPerBlock = kFlagColumns / 8;
constexpr size_t kFlagABytes = kBlockCount * kFlagABytesPerBlock;

struct MakiHeader {
    uint16_t flagBSize = 0, pixelASize = 0, pixelBSize = 0, extension = 0;
    uint16_t xStart = 0, yStart = 0, xEnd = 0, yEnd = 0;
};

bool ReadHeader(ByteReader& in, MagPicture& picture, MakiHeader& header) {
    std::array<uint8_t, kUserNameField> name{};
    if (!in.Bytes(name.data(), name.size())) return false;
    picture.author.assign(name.begin(), std::find(name.begin(), name.end(), uint8_t{0x1A}));
    return in.U16be(header.flagBSize) && in.U16be(header.pixelASize) &&
           in.U16be(header.pixelBSize) && in.U16be(header.extension) &&
           in.U16be(header.xStart) && in.U16be(header.yStart) && in.U16be(header.xEnd) &&
           in.U16be(header.yEnd);
}

struct MakiLayout {
    size_t lines = 0;      // stored lines that lie in the picture
    size_t rowBytes = 0;   // bytes of a stored line that lie in the picture
    size_t distance = 2;   // XOR line distance
    bool doubled = false;  // 200-line mode
};

// The picture takes the header's size, but the decoder only ever produces 640 x 400 pixels:
// a larger size is cut to that, and a smaller one keeps the top left part of it.
bool SetUpPicture(const MakiHeader& header, MagPicture& picture, MakiLayout& layout) {
    if (header.xEnd <= header.xStart || header.yEnd <= header.yStart) return false;
    const size_t width = std::min<size_t>(header.xEnd - header.xStart, 2 * kLineBytes);
    layout.lines = std::min<size_t>(header.yEnd - header.yStart, kStoredLines);
    layout.rowBytes = (width + 1) / 2;
    layout.distance = picture.signature[6] == 'B' ? 4 : 2;
    const uint8_t screenMode = header.extension & 0xFF;
    layout.doubled = (screenMode & kMode200Line) != 0;

    picture.width = static_cast<int>(width);
    picture.height = static_cast<int>(layout.lines * (layout.doubled ? 2 : 1));
    picture.dibBitCount = 4;
    const bool eightColors = (screenMode & kMode8Color) != 0;
    picture.colorCount = eightColors ? 8 : 16;
    picture.bits = eightColors ? 3 : 4;
    picture.colorTable.assign(16, RgbQuad{});
    return true;
}

class MakiPlaneDecoder {
public:
    MakiPlaneDecoder(const MakiLayout& layout, const uint8_t* flagA, SectionStream flagB,
                     SectionStream pixels)
        : layout_(layout), flagA_(flagA), flagB_(flagB), pixels_(pixels) {}

    bool Decode(MagPicture& picture) {
        for (size_t block = 0; block < kBlockCount; ++block) {
            if (!ReadFlags(flagA_ + block * kFlagABytesPerBlock)) return false;
            for (size_t c = 0; c < kBlockLines; ++c)
                if (!DecodeLine(c)) return false;
            for (size_t c = 0; c < kBlockLines; ++c)
                StoreLine(lines_[c].data(), picture, block * kBlockLines + c);
        }
        return true;
    }

private:
    // Each set flag-A bit brings 2 flag-B bytes: one nibble for its column in each line.
    bool ReadFlags(const uint8_t* flagA) {
        for (auto& line : flags_) line.fill(0);
        for (size_t k = 0; k < kFlagColumns; ++k) {
            if (!((flagA[k / 8] >> (7 - k % 8)) & 1)) continue;
            uint8_t high = 0, low = 0;
            if (!flagB_.Next(high) || !flagB_.Next(low)) return false;
            flags_[0][k] = high >> 4;
            flags_[1][k] = high & 0x0F;
            flags_[2][k] = low >> 4;
            flags_[3][k] = low & 0x0F;
        }
        return true;
    }

    // Every set flag bit XORs one byte of the reference line with a pixel byte.
    bool DecodeLine(size_t c) {
        const auto& reference = lines_[(c + layout_.distance) % kBlockLines];
        auto& line = lines_[c];
        for (size_t k = 0; k < kFlagColumns; ++k) {
            for (size_t b = 0; b < 4; ++b) {
                const size_t i = 4 * k + b;
                uint8_t value = reference[i];
                uint8_t delta = 0;
                if ((flags_[c][k] >> (3 - b)) & 1) {
                    if (!pixels_.Next(delta)) return false;
                }
                line[i] = value ^ delta;
            }
        }
        return true;
    }

    void StoreLine(const uint8_t* line, MagPicture& picture, size_t n) {
        if (n >= layout_.lines) return;
        const size_t first = layout_.doubled ? 2 * n : n;
        for (size_t y = first; y < first + (layout_.doubled ? 2 : 1); ++y) {
            uint8_t* row = picture.Row(y);
            std::copy(line, line + layout_.rowBytes, row);
            if (picture.width % 2) row[layout_.rowBytes - 1] &= 0xF0;
        }
    }

    const MakiLayout& layout_;
    const uint8_t* flagA_;
    SectionStream flagB_;
    SectionStream pixels_;
    std::array<std::array<uint8_t, kFlagColumns>, kBlockLines> flags_{};
    std::array<std::array<uint8_t, kLineBytes>, kBlockLines> lines_{};
};

} // namespace

bool DecodeMakiBody(ByteReader& in, MagPicture& picture) {
    MakiHeader header;
    MakiLayout layout;
    if (!ReadHeader(in, picture, header) || !SetUpPicture(header, picture, layout)) return false;
    const uint8_t* palette = in.Here();
    if (!in.Skip(kPaletteBytes)) return false;
    const uint8_t* flagA = in.Here();
    if (!in.Skip(kFlagABytes)) return false;
    SectionStream flagB{in.Here(), header.flagBSize, 0};
    if (!in.Skip(header.flagBSize)) return false;
    // The pixel data ends the file; a size beyond it fails only when the decoding needs more.
    const size_t pixelSize = size_t{header.pixelASize} + header.pixelBSize;
    SectionStream pixels{in.Here(), std::min(pixelSize, in.Remaining()), 0};

    ConvertGrbPalette(palette, picture.colorTable.size(), picture.colorTable.data());
    if (!AllocateRows(picture)) return false;
    return MakiPlaneDecoder(layout, flagA, flagB, pixels).Decode(picture);
}

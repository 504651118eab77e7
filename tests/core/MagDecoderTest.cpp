// MAG files built byte by byte: signature "MAKI02  ", user name up to 24 bytes, comment ended by
// 0x1A (or 0x00, which is then the first header byte), a 32-byte little-endian header (screen
// mode at 3, x/y start and end at 4..11, offsets of flag A, flag B and pixel data from the
// header start at 12, 16, 24, pixel size at 28), the palette (green, red, blue), flag A (one
// bit per flag byte of a line), flag B (bytes XORed into the flag line) and pixel data.
// A flag nibble 0 takes 2 literal pixel bytes; others copy 2 bytes from an earlier place.
#include "core/MagFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct MagBuilder {
    uint8_t screenMode = 0;
    uint16_t xStart = 0, yStart = 0, xEnd = 7, yEnd = 0;
    std::string userName = "TEST user", comment;
    bool commentEndsWithZero = false;
    std::vector<uint8_t> flagA, flagB, pixels;
    size_t extraPixelSize = 0; // pixel size field beyond the bytes written

    static void Put16(std::string& out, size_t value) {
        out += static_cast<char>(value & 0xFF);
        out += static_cast<char>((value >> 8) & 0xFF);
    }
    static void Put32(std::string& out, size_t value) {
        Put16(out, value & 0xFFFF);
        Put16(out, value >> 16);
    }

    std::string Bytes() const {
        std::string out = "MAKI02  " + userName + "\x1A" + comment;
        if (!commentEndsWithZero) out += '\x1A';
        const size_t paletteBytes = (screenMode & 0x80 ? 256 : 16) * 3;
        const size_t flagAOffset = 32 + paletteBytes;
        const size_t flagBOffset = flagAOffset + flagA.size();
        const size_t pixelOffset = flagBOffset + flagB.size();
        out += std::string(3, '\0');
        out += static_cast<char>(screenMode);
        for (uint16_t v : {xStart, yStart, xEnd, yEnd}) Put16(out, v);
        for (size_t v : {flagAOffset, flagBOffset, flagB.size(), pixelOffset,
                         pixels.size() + extraPixelSize})
            Put32(out, v);
        for (size_t i = 0; i < paletteBytes; ++i) out += static_cast<char>(i);
        out.append(flagA.begin(), flagA.end());
        out.append(flagB.begin(), flagB.end());
        out.append(pixels.begin(), pixels.end());
        return out;
    }

    bool Decode(MagPicture& picture) const {
        std::string bytes = Bytes();
        return DecodeMag(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), picture);
    }
};

bool DecodeText(const std::string& bytes, MagPicture& picture) {
    return DecodeMag(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), picture);
}

std::vector<uint8_t> Sequence(size_t count, uint8_t first) {
    std::vector<uint8_t> bytes(count);
    for (size_t i = 0; i < count; ++i) bytes[i] = static_cast<uint8_t>(first + i);
    return bytes;
}

std::vector<uint8_t> RowOf(const MagPicture& picture, size_t y) {
    return {picture.Row(y), picture.Row(y) + picture.width};
}

// 256 colours, 16 pixels wide: 16 bytes and 4 flag bytes per line. Lines 0..15 hold the literal
// values line * 16 + x; line 16 has the literals 0xA0 + x except where its third flag byte
// (pixel bytes 8..11) holds the given value.
MagBuilder SeventeenLines(uint8_t thirdFlagByte) {
    MagBuilder mag;
    mag.screenMode = 0x80;
    mag.xEnd = 15;
    mag.yEnd = 16;
    mag.flagA = std::vector<uint8_t>(8, 0);
    mag.flagA.push_back(0x20); // line 16: the third flag byte changes
    mag.flagB = {thirdFlagByte};
    mag.pixels = Sequence(256, 0);
    std::vector<uint8_t> last = Sequence(16, 0xA0);
    if (thirdFlagByte >> 4) last.erase(last.begin() + 8, last.begin() + 10);
    if (thirdFlagByte & 0x0F) last.erase(last.end() - 6, last.end() - 4);
    mag.pixels.insert(mag.pixels.end(), last.begin(), last.end());
    return mag;
}

} // namespace

TEST(MagDecoder, LiteralSixteenColourPicture) {
    MagBuilder mag;
    mag.yEnd = 1;                    // 8 x 2 pixels: 4 bytes, one flag byte per line
    mag.flagA = {0x00};              // both flag lines stay 0: all literal
    mag.pixels = {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF};
    MagPicture picture;
    ASSERT_TRUE(mag.Decode(picture));
    EXPECT_EQ(picture.width, 8);
    EXPECT_EQ(picture.height, 2);
    EXPECT_EQ(picture.dibBitCount, 8);
    EXPECT_EQ(RowOf(picture, 0), (std::vector<uint8_t>{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(RowOf(picture, 1), (std::vector<uint8_t>{8, 9, 10, 11, 12, 13, 14, 15}));
    // The palette is stored green, red, blue; the table holds 256 entries, unused ones black.
    ASSERT_EQ(picture.colorTable.size(), 256u);
    EXPECT_EQ(picture.colorTable[1].rgbGreen, 3);
    EXPECT_EQ(picture.colorTable[1].rgbRed, 4);
    EXPECT_EQ(picture.colorTable[1].rgbBlue, 5);
    EXPECT_EQ(picture.colorTable[16].rgbBlue, 0);
    EXPECT_EQ(MagDescription(picture), "8x2 MAKI02(4bit)");
    EXPECT_EQ(picture.author, "TEST user");
    EXPECT_EQ(MagComments(picture).size(), 1u);
}

TEST(MagDecoder, EveryCopyNibbleTakesItsSource) {
    // Expected values of pixel bytes 8 and 9 of line 16 (dx bytes left, dy lines up).
    const std::vector<std::pair<int, std::vector<uint8_t>>> cases = {
        {1, {0xA6, 0xA7}},  // -2, 0
        {2, {0xA4, 0xA5}},  // -4, 0
        {3, {0xA0, 0xA1}},  // -8, 0
        {4, {248, 249}},    // 0, -1: line 15
        {5, {246, 247}},    // -2, -1
        {6, {232, 233}},    // 0, -2: line 14
        {7, {230, 231}},    // -2, -2
        {8, {228, 229}},    // -4, -2
        {9, {200, 201}},    // 0, -4: line 12
        {10, {198, 199}},   // -2, -4
        {11, {196, 197}},   // -4, -4
        {12, {136, 137}},   // 0, -8: line 8
        {13, {134, 135}},   // -2, -8
        {14, {132, 133}},   // -4, -8
        {15, {8, 9}},       // 0, -16: what the ring line held 16 lines earlier
    };
    for (const auto& [nibble, expected] : cases) {
        MagPicture picture;
        ASSERT_TRUE(SeventeenLines(static_cast<uint8_t>(nibble << 4)).Decode(picture)) << nibble;
        std::vector<uint8_t> last = RowOf(picture, 16);
        EXPECT_EQ(std::vector<uint8_t>(last.begin() + 8, last.begin() + 10), expected) << nibble;
        EXPECT_EQ(last[10], 0xAA) << nibble; // the literals go on after the copy
    }
    // A low nibble works on bytes 10 and 11; the flag line is kept for the following lines.
    MagPicture picture;
    ASSERT_TRUE(SeventeenLines(0x0F).Decode(picture));
    EXPECT_EQ(RowOf(picture, 16)[10], 10);
    EXPECT_EQ(RowOf(picture, 16)[11], 11);
}

TEST(MagDecoder, XRangeIsWidenedToGroupsOfEightPixels) {
    MagBuilder mag;
    mag.xStart = 3;
    mag.xEnd = 636;
    mag.flagA = {0};
    mag.flagA.resize(10); // 80 flag bytes in one line
    mag.pixels = Sequence(320, 0);
    MagPicture picture;
    ASSERT_TRUE(mag.Decode(picture));
    EXPECT_EQ(picture.width, 640);
    EXPECT_EQ(picture.Row(0)[639], 0x0F); // last byte 0x3F: pixels 3, 15
    EXPECT_EQ(MagDescription(picture), "640x1 MAKI02(4bit)");
}

TEST(MagDecoder, TwoHundredLineModeShowsEachLineTwice) {
    MagBuilder mag;
    mag.screenMode = 0x81; // 256 colours, 200-line mode
    mag.yEnd = 1;
    mag.flagA = {0x00};
    mag.pixels = Sequence(16, 1);
    MagPicture picture;
    ASSERT_TRUE(mag.Decode(picture));
    EXPECT_EQ(picture.height, 4);
    EXPECT_EQ(RowOf(picture, 0), Sequence(8, 1));
    EXPECT_EQ(RowOf(picture, 1), Sequence(8, 1));
    EXPECT_EQ(RowOf(picture, 2), Sequence(8, 9));
    EXPECT_EQ(RowOf(picture, 3), Sequence(8, 9));
    EXPECT_EQ(MagDescription(picture), "8x4 MAKI02(8bit)");
}

TEST(MagDecoder, EightColourModeIsThreeBits) {
    MagBuilder mag;
    mag.screenMode = 0x02;
    mag.flagA = {0x00};
    mag.pixels = Sequence(4, 0);
    MagPicture picture;
    ASSERT_TRUE(mag.Decode(picture));
    EXPECT_EQ(picture.colorCount, 8);
    EXPECT_EQ(MagDescription(picture), "8x1 MAKI02(3bit)");
}

TEST(MagDecoder, UserNameAndCommentBoundaries) {
    MagBuilder mag;
    mag.flagA = {0x00};
    mag.pixels = Sequence(4, 0);
    MagPicture picture;

    // A comment ended by 0x00 shares that byte with the header.
    mag.comment = "note";
    mag.commentEndsWithZero = true;
    ASSERT_TRUE(mag.Decode(picture));
    EXPECT_EQ(picture.comment, "note");
    EXPECT_EQ(picture.width, 8);

    // A full 24-byte name needs no 0x1A: the comment follows directly.
    std::string bytes = mag.Bytes();
    bytes.erase(8, 10); // "TEST user\x1A" gone
    bytes.insert(8, std::string(24, 'N'));
    ASSERT_TRUE(DecodeText(bytes, picture));
    EXPECT_EQ(picture.author, std::string(24, 'N'));
    EXPECT_EQ(picture.comment, "note");

    mag.userName.clear();
    mag.comment.clear();
    mag.commentEndsWithZero = false;
    ASSERT_TRUE(mag.Decode(picture));
    EXPECT_TRUE(MagComments(picture).empty());
}

TEST(MagDecoder, TruncatedOrInconsistentFilesFail) {
    MagBuilder good;
    good.yEnd = 1;
    good.flagA = {0x80};       // line 0 takes a flag-B byte
    good.flagB = {0x11};       // copies 2 bytes left: wrong at the line start
    good.pixels = Sequence(8, 0);
    MagPicture picture;
    EXPECT_FALSE(good.Decode(picture)); // a copy from left of the line start

    good.flagB = {0x40};       // line 0 copies from line -1 (zeros), then a literal
    good.pixels = Sequence(4, 1);
    ASSERT_TRUE(good.Decode(picture));
    EXPECT_EQ(RowOf(picture, 0), (std::vector<uint8_t>{0, 0, 0, 0, 0, 1, 0, 2}));
    EXPECT_EQ(RowOf(picture, 1), (std::vector<uint8_t>{0, 0, 0, 0, 0, 3, 0, 4}));

    const std::string bytes = good.Bytes();
    // Every cut of the file fails cleanly.
    for (size_t length = 0; length < bytes.size(); ++length)
        EXPECT_FALSE(DecodeText(bytes.substr(0, length), picture)) << length;

    MagBuilder mag = good;
    mag.flagB.clear();          // flag A asks for a flag-B byte that is not there
    EXPECT_FALSE(mag.Decode(picture));
    mag = good;
    mag.pixels.pop_back();      // pixel data runs out
    mag.extraPixelSize = 1;
    EXPECT_FALSE(mag.Decode(picture));
    mag = good;
    mag.extraPixelSize = 1000;  // a pixel size beyond the file is cut to what is there
    EXPECT_TRUE(mag.Decode(picture));
    mag = good;
    mag.yEnd = 8;               // 9 lines need 9 flag-A bits: more than its 1 byte
    EXPECT_FALSE(mag.Decode(picture));
    mag = good;
    mag.yStart = 2;             // y end before y start
    EXPECT_FALSE(mag.Decode(picture));
    mag = good;
    mag.xStart = 8;             // widened x range of 0 pixels
    EXPECT_FALSE(mag.Decode(picture));

    // Flag-B offset before the flag-A offset.
    std::string swapped = bytes;
    const size_t header = 8 + 10 + 1;
    std::swap(swapped[header + 12], swapped[header + 16]);
    EXPECT_FALSE(DecodeText(swapped, picture));

    EXPECT_FALSE(DecodeText("MAKJ02  " + bytes.substr(8), picture));
    EXPECT_FALSE(DecodeText("MAKI03  " + bytes.substr(8), picture));
}

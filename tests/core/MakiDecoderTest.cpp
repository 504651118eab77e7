// MAKI files built byte by byte: signature "MAKI01A " or "MAKI01B ", a 24-byte user name, eight
// big-endian 16-bit fields (flag-B size, pixel-A size, pixel-B size, extension flags with the
// screen mode in the low byte, x start, y start, x end, y end), the palette (16 entries green,
// red, blue), flag A (1000 bytes: 10 per block of 4 lines, one bit per 4-byte column), flag B
// (2 bytes per set bit: one nibble per line of the block, one bit per byte) and pixel data
// (bytes XORed into the line 2 lines up for "A", 4 for "B").
#include "core/MagTestFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct MakiBuilder : MagPlanes {
    MakiBuilder() { flagA.assign(1000, 0); }
    char variant = 'A';
    std::string userName = "MAKI user\x1A";
    uint16_t screenMode = 0, xEnd = 640, yEnd = 400;
    size_t flagBSize = SIZE_MAX; // the size field when it differs from flagB.size()

    static void Put16(std::string& out, size_t value) {
        out += static_cast<char>((value >> 8) & 0xFF);
        out += static_cast<char>(value & 0xFF);
    }

    std::string Bytes() const {
        std::string out = std::string("MAKI01") + variant + ' ';
        out += (userName + std::string(24, ' ')).substr(0, 24);
        const size_t pixelA = pixels.size() / 2;
        for (size_t v :
             {flagBSize == SIZE_MAX ? flagB.size() : flagBSize, pixelA, pixels.size() - pixelA,
              size_t{screenMode}, size_t{0}, size_t{0}, size_t{xEnd}, size_t{yEnd}})
            Put16(out, v);
        for (int i = 0; i < 48; ++i)
            out += static_cast<char>(0x10 + i);
        AppendTo(out);
        return out;
    }

    bool Decode(MagPicture& picture) const { return DecodeBytes(Bytes(), picture); }
};

std::vector<uint8_t> Head(const MagPicture& picture, size_t y, size_t count = 4) {
    return {picture.Row(y), picture.Row(y) + count};
}

// Block 0 sets the first 4 bytes of line 0 from the pixels 12 34 56 78.
MakiBuilder FirstLineSet(char variant) {
    MakiBuilder maki;
    maki.variant = variant;
    maki.flagA[0] = 0x80;
    maki.flagB = {0xF0, 0x00};
    maki.pixels = {0x12, 0x34, 0x56, 0x78};
    return maki;
}

const std::vector<uint8_t> kPattern = {0x12, 0x34, 0x56, 0x78};
const std::vector<uint8_t> kZero(4, 0);

} // namespace

TEST(MakiDecoder, EmptyPictureAndHeaderFields) {
    MakiBuilder maki;
    MagPicture picture;
    ASSERT_TRUE(maki.Decode(picture));
    EXPECT_EQ(picture.width, 640);
    EXPECT_EQ(picture.height, 400);
    EXPECT_EQ(picture.dibBitCount, 4);
    EXPECT_EQ(picture.Stride(), 320u);
    EXPECT_EQ(picture.author, "MAKI user"); // up to the first 0x1A
    EXPECT_EQ(MagDescription(picture), "640x400 MAKI01A(4bit)");
    ASSERT_EQ(picture.colorTable.size(), 16u);
    EXPECT_EQ(picture.colorTable[15].rgbGreen, 0x10 + 45);
    EXPECT_EQ(picture.colorTable[15].rgbRed, 0x10 + 46);
    EXPECT_EQ(picture.colorTable[15].rgbBlue, 0x10 + 47);

    maki.screenMode = 0x02;
    ASSERT_TRUE(maki.Decode(picture));
    EXPECT_EQ(picture.colorCount, 8);
    EXPECT_EQ(MagDescription(picture), "640x400 MAKI01A(3bit)");
}

TEST(MakiDecoder, LinesXorAgainstTwoOrFourLinesUp) {
    MagPicture picture;
    ASSERT_TRUE(FirstLineSet('A').Decode(picture));
    for (size_t y = 0; y < 400; ++y)
        ASSERT_EQ(Head(picture, y), y % 2 == 0 ? kPattern : kZero) << y;

    ASSERT_TRUE(FirstLineSet('B').Decode(picture));
    EXPECT_EQ(MagDescription(picture), "640x400 MAKI01B(4bit)");
    for (size_t y = 0; y < 400; ++y)
        ASSERT_EQ(Head(picture, y), y % 4 == 0 ? kPattern : kZero) << y;
}

TEST(MakiDecoder, FlagNibblesGoToTheirLinesAndBytes) {
    MakiBuilder maki;
    maki.flagA[1] = 0x40;      // column 9: bytes 36..39
    maki.flagB = {0x84, 0x21}; // line 0 byte 36, line 1 byte 37, line 2 byte 38, line 3 byte 39
    maki.pixels = {0x01, 0x02, 0x03, 0x04};
    maki.flagA[10] = 0x01; // block 1, column 7: bytes 28..31 of line 4
    maki.flagB.insert(maki.flagB.end(), {0x10, 0x00});
    maki.pixels.push_back(0x05);
    MagPicture picture;
    ASSERT_TRUE(maki.Decode(picture));
    EXPECT_EQ(Head(picture, 0, 40)[36], 0x01);
    EXPECT_EQ(Head(picture, 1, 40)[37], 0x02);
    EXPECT_EQ(Head(picture, 2, 40)[36], 0x01); // line 0 carried down
    EXPECT_EQ(Head(picture, 2, 40)[38], 0x03);
    EXPECT_EQ(Head(picture, 3, 40)[37], 0x02);
    EXPECT_EQ(Head(picture, 3, 40)[39], 0x04);
    EXPECT_EQ(Head(picture, 4, 40)[31], 0x05);
    EXPECT_EQ(Head(picture, 4, 40)[38], 0x03); // from line 2
}

TEST(MakiDecoder, TwoHundredLineModeShowsEachLineTwice) {
    MakiBuilder maki = FirstLineSet('B');
    maki.screenMode = 0x01;
    maki.yEnd = 200;
    MagPicture picture;
    ASSERT_TRUE(maki.Decode(picture));
    EXPECT_EQ(picture.height, 400);
    for (size_t y = 0; y < 400; ++y)
        ASSERT_EQ(Head(picture, y), (y / 2) % 4 == 0 ? kPattern : kZero) << y;
}

TEST(MakiDecoder, OtherSizesStayInsideThePicture) {
    MakiBuilder maki = FirstLineSet('A');
    maki.xEnd = 7; // odd width: the padding nibble stays 0
    maki.yEnd = 3;
    MagPicture picture;
    ASSERT_TRUE(maki.Decode(picture));
    EXPECT_EQ(picture.width, 7);
    EXPECT_EQ(picture.height, 3);
    EXPECT_EQ(picture.rows.size(), 3 * 4u);
    EXPECT_EQ(Head(picture, 0), (std::vector<uint8_t>{0x12, 0x34, 0x56, 0x70}));
    EXPECT_EQ(Head(picture, 2), (std::vector<uint8_t>{0x12, 0x34, 0x56, 0x70}));

    maki.xEnd = 4000;
    maki.yEnd = 3000;
    ASSERT_TRUE(maki.Decode(picture));
    EXPECT_EQ(picture.width, 640);
    EXPECT_EQ(picture.height, 400);

    maki.xEnd = 0;
    EXPECT_FALSE(maki.Decode(picture));
}

TEST(MakiDecoder, TruncatedSectionsFail) {
    const MakiBuilder good = FirstLineSet('A');
    const std::string bytes = good.Bytes();
    MagPicture picture;
    for (size_t length = 0; length < bytes.size(); ++length)
        EXPECT_FALSE(DecodeBytes(bytes.substr(0, length), picture)) << length;

    MakiBuilder maki = good;
    maki.flagBSize = 40; // flag B runs past the end of the file
    EXPECT_FALSE(maki.Decode(picture));
    maki = good;
    maki.flagA[5] = 0x01; // a second column with no flag-B bytes left
    EXPECT_FALSE(maki.Decode(picture));
    maki = good;
    maki.flagB = {0xF8, 0x00}; // a fifth pixel byte that is not there
    EXPECT_FALSE(maki.Decode(picture));
}

TEST(MakiDecoder, ReaderRealizesFourBitPicture) {
    MakiBuilder maki = FirstLineSet('A');
    maki.screenMode = 0x02; // 8 colours
    TempDir dir;
    std::string description;
    std::vector<MagComment> comments;
    MagFileFacts facts;
    auto image = ReadMagFile(dir.Write("a.mki", maki.Bytes()), ImageReadOptions{}, description,
                             comments, &facts);
    ASSERT_TRUE(image);
    EXPECT_EQ(description, "640x400 MAKI01A(3bit)");
    ASSERT_EQ(comments.size(), 1u);
    EXPECT_EQ(comments[0].key, "Author");
    EXPECT_EQ(comments[0].text, "MAKI user");
    EXPECT_EQ(facts.bitsPerSample, 3);
    EXPECT_EQ(facts.palette.size(), 8u);
    EXPECT_EQ(image->Width(), 640);
    EXPECT_EQ(image->Height(), 400);
    // Pixel 0 of line 0 is entry 1 (green 0x13, red 0x14, blue 0x15), line 1 is entry 0.
    EXPECT_EQ(image->PixelColor(0, 0), 0x141315u);
    EXPECT_EQ(image->PixelColor(7, 0), 0x29282Au); // entry 8
    EXPECT_EQ(image->PixelColor(0, 1), 0x111012u);
    EXPECT_EQ(image->PixelColor(0, 398), 0x141315u);
}

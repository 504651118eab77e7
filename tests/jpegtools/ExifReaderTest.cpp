#include "jpegtools/ExifReader.h"
#include "jpegtools/Charset.h"
#include "jpegtools/CodePage.h"
#include "support/ExifFixture.h"
#include "support/TiffBuilder.h"

#include <gtest/gtest.h>

namespace {

// The user comment of a block whose Exif IFD holds `stored` as UserComment.
std::optional<ExifUserComment> CommentOf(const std::string& stored, bool bigEndian = false) {
    TiffBuilder builder(bigEndian);
    builder.Undefined(TiffBuilder::kExif, kTagUserComment, stored);
    const std::vector<uint8_t> block = builder.Build();
    CExifReader reader;
    EXPECT_GT(reader.ParseExifBlock(block.data(), block.size()), 0);
    const CIfdEntry* entry = reader.FindTag(kTagUserComment);
    if (!entry) return std::nullopt;
    return reader.GetUserComment(*entry, true);
}

std::string Code(const char* name) {
    return std::string(name, 8);
}

// UTF-16 text of `utf8` in the given byte order, without a byte-order mark.
std::string Utf16(const std::string& utf8, bool bigEndian) {
    Iconv iconv(bigEndian ? "UTF-16BE" : "UTF-16LE", "UTF-8");
    return iconv.Convert(utf8, 1, "").bytes;
}

} // namespace

TEST(ExifUserComment, CodesAndTrimming) {
    std::optional<ExifUserComment> ascii = CommentOf(Code("ASCII\0\0") + "  Hello world  ");
    ASSERT_TRUE(ascii);
    EXPECT_EQ(ascii->code, kCharsetAscii);
    EXPECT_EQ(ascii->bytes, "Hello world");

    std::optional<ExifUserComment> jis = CommentOf(Code("JIS\0\0\0\0") + "\x1B$B$\"\x1B(B");
    ASSERT_TRUE(jis);
    EXPECT_EQ(jis->code, kCharsetIso2022Jp);
    std::optional<ExifUserComment> undefined =
        CommentOf(std::string(8, '\0') + std::string("text\0\0", 6), true);
    ASSERT_TRUE(undefined);
    EXPECT_EQ(undefined->code, kCharsetAuto);
    EXPECT_EQ(undefined->bytes, std::string("text\0\0", 6)); // only spaces are trimmed
    EXPECT_EQ(CommentOf(Code("Other\0\0") + "x")->code, kCharsetAuto);

    // Blank comments: spaces only, zeros, nothing after the code, a code cut short.
    EXPECT_FALSE(CommentOf(Code("ASCII\0\0") + std::string(40, ' ')));
    EXPECT_FALSE(CommentOf(Code("ASCII\0\0") + std::string(40, '\0')));
    EXPECT_FALSE(CommentOf(std::string(8, '\0') + std::string("   \0abc", 7)));
    EXPECT_FALSE(CommentOf(Code("ASCII\0\0")));
    EXPECT_FALSE(CommentOf("ASCII\0\0"));
}

TEST(ExifUserComment, UnicodeFollowsTheBlockByteOrder) {
    const std::string text = "日本 a "; // never trimmed
    const std::string expected = Utf16(text, false);
    for (bool big : {false, true}) {
        std::optional<ExifUserComment> comment = CommentOf(Code("UNICODE") + Utf16(text, big), big);
        ASSERT_TRUE(comment) << big;
        EXPECT_EQ(comment->code, kCharsetUcs2);
        EXPECT_EQ(comment->bytes, expected) << big;
        const std::string sjis = ToShiftJis(comment->bytes.data(), kCharsetUcs2,
                                            static_cast<int>(comment->bytes.size()));
        EXPECT_EQ(sjis, ToShiftJis(text.c_str(), kCharsetUtf8, -1));
    }
    // A byte-order mark overrides the block's order and is dropped; an odd byte is dropped.
    EXPECT_EQ(CommentOf(Code("UNICODE") + "\xFE\xFF" + Utf16(text, true) + "x", false)->bytes,
              expected);
    EXPECT_EQ(CommentOf(Code("UNICODE") + "\xFF\xFE" + Utf16(text, false), true)->bytes, expected);
    EXPECT_FALSE(CommentOf(Code("UNICODE") + "\xFF\xFE", true));
}

TEST(ExifUserComment, CameraFiles) {
    struct Case {
        const char* file;
        std::optional<std::string> text;
    };
    const Case cases[] = {
        {"painttool_sample.jpg",
         "a5cb01550dbb9a6bf732f87e413f6e231cc4581e6a5be800fb0871dce0760cd5"},
        {"nikon_coolpix_p1.jpg", std::nullopt}, // "ASCII" and spaces
        {"canon_40d.jpg", std::nullopt},        // all zero bytes
    };
    for (const Case& c : cases) {
        const std::vector<uint8_t> block = ExifBlockOf(c.file);
        CExifReader reader;
        ASSERT_GT(reader.ParseExifBlock(block.data(), block.size()), 0) << c.file;
        const CIfdEntry* entry = reader.FindTag(kTagUserComment);
        ASSERT_NE(entry, nullptr) << c.file;
        std::optional<ExifUserComment> comment = reader.GetUserComment(*entry, true);
        EXPECT_EQ(comment.has_value(), c.text.has_value()) << c.file;
        if (comment && c.text) {
            EXPECT_EQ(comment->bytes, *c.text + std::string(2, '\0')); // as stored
        }
    }
}

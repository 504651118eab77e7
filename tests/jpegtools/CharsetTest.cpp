#include "jpegtools/Charset.h"
#include "jpegtools/CodePage.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

// Strict conversion: nullopt when iconv rejects any of the input.
std::optional<std::string> Recode(const char* to, const char* from, const std::string& text) {
    Iconv iconv(to, from);
    if (!iconv.IsOpen()) return std::nullopt;
    Iconv::Result result = iconv.Convert(text, 1, "");
    if (result.replaced != 0) return std::nullopt;
    return result.bytes;
}

std::string Recoded(const char* to, const char* from, const std::string& text) {
    std::optional<std::string> result = Recode(to, from, text);
    EXPECT_TRUE(result.has_value()) << from << " -> " << to;
    return result.value_or("");
}

std::string ToSjis(const std::string& text, int code) {
    return ToShiftJis(text.data(), code, static_cast<int>(text.size()));
}

std::string FromSjis(const std::string& text, int code) {
    return FromShiftJis(text.data(), code, static_cast<int>(text.size()));
}

// Runs `convert` on a heap copy of exactly the text's bytes, so that ASan sees any read past it.
template <typename Convert> auto OnExactBuffer(const std::string& text, Convert convert) {
    std::vector<char> bytes(text.begin(), text.end());
    return convert(bytes.data(), static_cast<int>(bytes.size()));
}

int Detect(const std::string& text) {
    return OnExactBuffer(text, DetectCharset);
}

} // namespace

TEST(CharsetDetect, DecidesByFirstTellingPair) {
    // clang-format off
    const std::pair<std::string, int> cases[] = {
        {"plain ASCII text\r\n", kCharsetAscii}, {"ascii \x1B$B$\"\x1B(B", kCharsetIso2022Jp},
        {"\x82\xA0", kCharsetShiftJis}, {"\xA4\xA2", kCharsetEucJp}, {"\xE3\x81\x82", kCharsetUtf8},
        {"\x82\xA0\x1B", kCharsetShiftJis}, // decided before the ESC
        {"ab\x82", kCharsetAscii},          // lone lead byte at the end
        {"\x80\x82\xA0", kCharsetShiftJis}, // 0x80 is no lead byte
        {"\xA0\xFC", kCharsetShiftJis}, {"\xA1\xA1", kCharsetEucJp}, {"\xA1\xA0", kCharsetAscii},
        {"\xEB\xA1", kCharsetEucJp}, {"\xEF\xA1", kCharsetEucJp}, {"\xE0\xA0", kCharsetShiftJis},
        {"\xE0\xA1", kCharsetEucJp}, {"\xEE\x41", kCharsetShiftJis}, {"\xEE\xA1", kCharsetEucJp},
        {"\xEE\x40", kCharsetAscii}, {"\xE3\x7F", kCharsetShiftJis}, {"\xE3\xBF", kCharsetUtf8},
        {"\xE3\xC0", kCharsetShiftJis}, {"\xE3\xFC", kCharsetEucJp}, {"\xE3\x3F", kCharsetAscii},
        {"\xEA\xA1\xED\xFF\xA4\xA2", kCharsetEucJp}, // 0xEA and 0xED pairs decide nothing
    };
    // clang-format on
    for (const auto& [text, code] : cases)
        EXPECT_EQ(Detect(text), code) << testing::PrintToString(text);
    const char withNul[] = "ab\0\x82\xA0";
    EXPECT_EQ(DetectCharset(withNul, -1), kCharsetAscii);
    EXPECT_EQ(DetectCharset(withNul, 5), kCharsetShiftJis);
    EXPECT_EQ(DetectCharset(nullptr, -1), kCharsetAscii);
}

TEST(CharsetDetect, SameSentenceInEachEncoding) {
    const std::string utf8 = "日本語のコメントです。";
    const std::string euc = Recoded("EUC-JP", "UTF-8", utf8);
    EXPECT_EQ(Detect(Recoded("SHIFT_JIS", "UTF-8", utf8)), kCharsetShiftJis);
    EXPECT_EQ(Detect(euc), kCharsetEucJp);
    EXPECT_EQ(Detect(utf8), kCharsetUtf8);
    EXPECT_EQ(Detect(Recoded("ISO-2022-JP", "EUC-JP", euc)), kCharsetIso2022Jp);
}

TEST(CharsetArithmetic, KnownCodes) {
    EXPECT_EQ(JisToSjis(0x2422), 0x82A0);
    EXPECT_EQ(SjisToJis(0x82A0), 0x2422);
    EXPECT_EQ(JisToSjis(0x3021), 0x889F);
}

// Every JIS X 0208 character through every code, against glibc's tables (which agree with the
// arithmetic mapping on every assigned character).
TEST(CharsetConversion, AgreesWithIconvForJisX0208) {
    int assigned = 0;
    for (int j1 = 0x21; j1 <= 0x7E; ++j1) {
        for (int j2 = 0x21; j2 <= 0x7E; ++j2) {
            const std::string euc{static_cast<char>(j1 | 0x80), static_cast<char>(j2 | 0x80)};
            if (!Recode("UTF-8", "EUC-JP", euc)) continue; // unassigned code
            ++assigned;
            SCOPED_TRACE(testing::Message() << std::hex << "JIS " << j1 << j2);
            const std::string sjis = Recoded("SHIFT_JIS", "EUC-JP", euc);
            EXPECT_EQ(ToSjis(euc, kCharsetEucJp), sjis);
            EXPECT_EQ(FromSjis(sjis, kCharsetEucJp), euc);
            EXPECT_EQ(ToSjis(Recoded("ISO-2022-JP", "EUC-JP", euc), kCharsetIso2022Jp), sjis);
            EXPECT_EQ(ToSjis(FromSjis(sjis, kCharsetIso2022Jp), kCharsetIso2022Jp), sjis);
            const std::string utf8 = Recoded("UTF-8", "CP932", sjis);
            EXPECT_EQ(FromSjis(sjis, kCharsetUtf8), utf8);
            EXPECT_EQ(ToSjis(utf8, kCharsetUtf8), sjis);
        }
    }
    EXPECT_EQ(assigned, 6879);
}

TEST(CharsetConversion, Iso2022JpEscapes) {
    EXPECT_EQ(FromSjis("a\x82\xA0", kCharsetIso2022Jp), "a\x1B$@$\"\x1B(J");
    EXPECT_EQ(FromSjis("\x82\xA0\x82\xA0z", kCharsetIso2022Jp), "\x1B$@$\"$\"\x1B(Jz");
    EXPECT_EQ(FromSjis("ascii only", kCharsetIso2022Jp), "ascii only");
    EXPECT_EQ(ToSjis("\x1B$B$\"\x1B(Jz\x1B$@$\"\x1B(B!", kCharsetIso2022Jp), "\x82\xA0z\x82\xA0!");
    // Other designations are skipped without a change of mode; ESC + other byte takes two.
    EXPECT_EQ(ToSjis("\x1B(Iab\x1BNc", kCharsetIso2022Jp), "abc");
    EXPECT_EQ(ToSjis("\x1B$B\x1B(I$\"\x1B(B", kCharsetIso2022Jp), "\x82\xA0");
}

TEST(CharsetConversion, HalfWidthKatakanaInEucJp) {
    EXPECT_EQ(FromSjis("\xB1", kCharsetEucJp), "\x8E\xB1");
    EXPECT_EQ(FromSjis("\xA0\xDF", kCharsetEucJp), "\x8E\xA0\x8E\xDF");
    EXPECT_EQ(ToSjis("\x8E\xB1", kCharsetEucJp), "\xB1");
}

TEST(CharsetConversion, UnicodeThroughCodePage932) {
    EXPECT_EQ(ToShiftJis("\x42\x30Z\0", kCharsetUcs2, 4), "\x82\xA0Z");
    EXPECT_EQ(ToShiftJis("A\0B", kCharsetUcs2, 3), "A"); // odd byte is half a unit
    EXPECT_EQ(FromSjis("\xB1", kCharsetUtf8), "\xEF\xBD\xB1");
    EXPECT_EQ(FromSjis("\x82\xA0", kCharsetUcs2), "\x82\xA0"); // never written as UCS-2
    // Characters without a Shift_JIS form become '?' and the rest still converts.
    EXPECT_EQ(UnitsToShiftJis({'a', 0x00E9, 0xD83D, 0xDE00, 0xDC00, 0x3042}), "a???\x82\xA0");
    EXPECT_EQ(ShiftJisToUnits("a\x82\xA0\x82"), (std::vector<uint16_t>{'a', 0x3042, '?'}));
    EXPECT_EQ(ShiftJisToUnits("a\x82", 0xFFFD), (std::vector<uint16_t>{'a', 0xFFFD}));
}

TEST(CharsetConversion, ExactConversionNamesTheFirstUnitWithoutShiftJis) {
    size_t refused = 0;
    EXPECT_EQ(UnitsToShiftJisExact({'a', 0x3042}, refused), "a\x82\xA0");
    EXPECT_EQ(refused, std::string::npos);
    EXPECT_FALSE(UnitsToShiftJisExact({'a', 0x3042, 0x00E9, 0xD83D, 0xDE00}, refused));
    EXPECT_EQ(refused, 2u);
    EXPECT_FALSE(UnitsToShiftJisExact({'a', 0xD83D, 0xDE00, 0x00E9}, refused));
    EXPECT_EQ(refused, 1u); // a pair before another refused unit
}

TEST(CharsetConversion, TruncatedInputNeverReadsPastTheEnd) {
    struct Case {
        int code;
        bool toSjis;
        std::string input;
        std::string expected;
    };
    const Case cases[] = {
        {kCharsetIso2022Jp, true, "a\x1B", "a"},
        {kCharsetIso2022Jp, true, "a\x1B$", "a"},
        {kCharsetIso2022Jp, true, "\x1B$B$\"$", "\x82\xA0"},
        {kCharsetIso2022Jp, true, "\x1B$B$\x1B(Bz", "z"},
        {kCharsetEucJp, true, "a\xA4", "a"},
        {kCharsetEucJp, true, "a\x8E", "a"},
        {kCharsetUtf8, true, "a\xE3\x81", "a"},
        {kCharsetUtf8, true, "a\xC3", "a"},
        {kCharsetUcs2, true, "A", ""},
        {kCharsetIso2022Jp, false, "a\x82", "a"},
        {kCharsetIso2022Jp, false, "\x82\xA0\x82", "\x1B$@$\"\x1B(J"},
        {kCharsetEucJp, false, "a\x82", "a"},
        {kCharsetUtf8, false, "a\x82", "a?"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "code " << c.code << (c.toSjis ? " to" : " from"));
        std::string out = OnExactBuffer(c.input, [&](const char* p, int n) {
            return c.toSjis ? ToShiftJis(p, c.code, n) : FromShiftJis(p, c.code, n);
        });
        EXPECT_EQ(out, c.expected);
    }
}

TEST(CharsetNames, TableLookups) {
    const char* expected[] = {"us-ascii", "iso-2022-jp", "euc-jp", "shift_jis", "utf-8"};
    for (int code = 0; code <= 4; ++code)
        EXPECT_STREQ(CharsetName(code), expected[code]);
    EXPECT_STREQ(CharsetName(kCharsetUcs2), "iso-10646-ucs-2");
    EXPECT_EQ(CharsetName(5), nullptr);
    EXPECT_EQ(CharsetName(kCharsetAuto), nullptr);
    EXPECT_EQ(CharsetFromName("CSUNICODE"), kCharsetUcs2);
    EXPECT_EQ(CharsetFromName("X-Sjis"), kCharsetShiftJis);
    EXPECT_EQ(CharsetFromName("us"), kCharsetAscii);
    EXPECT_EQ(CharsetFromName("latin1"), kCharsetUnknownName);
    EXPECT_EQ(CharsetFromName(""), kCharsetUnknownName);
}

TEST(CharsetSettings, ChoiceAndDecoding) {
    const char* euc = "\xA4\xA2";
    EXPECT_EQ(ChooseReadCharset(euc, -1, kCharsetAuto, 1, kCharsetShiftJis), kCharsetEucJp);
    EXPECT_EQ(ChooseReadCharset(euc, -1, kCharsetAuto, 0, kCharsetShiftJis), kCharsetShiftJis);
    EXPECT_EQ(ChooseReadCharset(euc, -1, kCharsetUcs2, 1, kCharsetShiftJis), kCharsetUcs2);
    EXPECT_EQ(ChooseWriteCharset(kCharsetEucJp, 1, kCharsetShiftJis), kCharsetEucJp);
    EXPECT_EQ(ChooseWriteCharset(kCharsetEucJp, 0, kCharsetUtf8), kCharsetUtf8);
    EXPECT_EQ(DecodeComment("\xA4\xA2\0junk", 7, kCharsetEucJp), "\x82\xA0");
    EXPECT_EQ(DecodeComment("\xA4\xA2\0junk", 7, kCharsetShiftJis), "\xA4\xA2");
}

TEST(CharsetCodePage, IconvGrowsItsBufferAndReplacesBadUnits) {
    Iconv toUtf8("UTF-8", "CP932");
    ASSERT_TRUE(toUtf8.IsOpen());
    std::string expected;
    for (int i = 0; i < 1000; ++i)
        expected += "\xEF\xBD\xB1";
    Iconv::Result widened = toUtf8.Convert(std::string(1000, '\xB1'), 1, "?");
    EXPECT_EQ(widened.bytes, expected); // three output bytes per input byte
    EXPECT_EQ(widened.replaced, 0u);
    Iconv::Result replaced = toUtf8.Convert(std::string(3000, '\xFF'), 1, "<?>");
    EXPECT_EQ(replaced.bytes.size(), 9000u);
    EXPECT_EQ(replaced.replaced, 3000u);
    EXPECT_FALSE(Iconv("NO-SUCH-CODE", "CP932").IsOpen());
    EXPECT_TRUE(Iconv("NO-SUCH-CODE", "CP932").Convert("abc", 1, "?").bytes.empty());
}

#include "jpegtools/Charset.h"

#include <algorithm>
#include <cctype>
#include <string_view>
#include <vector>

#include "jpegtools/CodePage.h"

namespace {

constexpr uint8_t kEsc = 0x1B;
constexpr int kNoDecision = -1;
constexpr std::string_view kDesignateJis1978 = "\x1B$@";
constexpr std::string_view kDesignateJisRoman = "\x1B(J";

struct NamedCharset {
    const char* name;
    int code;
};

// Order matters: CharsetName returns the first name of a code.
constexpr NamedCharset kNames[] = {
    {"us-ascii", kCharsetAscii},        {"us", kCharsetAscii},
    {"ascii", kCharsetAscii},           {"utf-8", kCharsetUtf8},
    {"iso-2022-jp", kCharsetIso2022Jp}, {"x-jis", kCharsetIso2022Jp},
    {"shift_jis", kCharsetShiftJis},    {"x-sjis", kCharsetShiftJis},
    {"ms_kanji", kCharsetShiftJis},     {"euc-jp", kCharsetEucJp},
    {"x-euc", kCharsetEucJp},           {"iso-10646-ucs-2", kCharsetUcs2},
    {"csUnicode", kCharsetUcs2},
};

std::string_view TextView(const char* bytes, int length) {
    if (bytes == nullptr) return {};
    if (length < 0) return std::string_view(bytes);
    return std::string_view(bytes, static_cast<size_t>(length));
}

uint8_t ByteAt(std::string_view text, size_t i) {
    return static_cast<uint8_t>(text[i]);
}

uint16_t Pack(int high, int low) {
    return static_cast<uint16_t>((high & 0xFF) << 8 | (low & 0xFF));
}

void AppendCode(std::string& out, uint16_t code) {
    out.push_back(static_cast<char>(code >> 8));
    out.push_back(static_cast<char>(code & 0xFF));
}

bool InRange(int value, int low, int high) {
    return value >= low && value <= high;
}

// The code a lead byte `a` and its follower `b` point to, or kNoDecision.
int DecidePair(int a, int b) {
    if (InRange(a, 0x81, 0xA0) && InRange(b, 0x40, 0xFC)) return kCharsetShiftJis;
    bool eucLead = InRange(a, 0xA1, 0xDF) || InRange(a, 0xEB, 0xEC) || a >= 0xEF;
    if (eucLead && b >= 0xA1) return kCharsetEucJp;
    if (InRange(a, 0xE0, 0xE1) || a >= 0xEE) {
        if (InRange(b, 0x41, 0xA0)) return kCharsetShiftJis;
        if (b >= 0xA1) return kCharsetEucJp;
    }
    if (InRange(a, 0xE2, 0xE9)) {
        if (InRange(b, 0x40, 0x7F) || InRange(b, 0xC0, 0xFB)) return kCharsetShiftJis;
        if (InRange(b, 0x80, 0xBF)) return kCharsetUtf8;
        if (b >= 0xFC) return kCharsetEucJp;
    }
    return kNoDecision;
}

// Applies the escape sequence at `i` to the mode and returns the bytes it takes.
size_t ApplyEscape(std::string_view in, size_t i, bool& twoByte) {
    if (i + 1 >= in.size()) return 1;
    uint8_t kind = ByteAt(in, i + 1);
    if (kind != '(' && kind != '$') return 2;
    if (i + 2 >= in.size()) return 2;
    uint8_t set = ByteAt(in, i + 2);
    if (kind == '(' && (set == 'B' || set == 'J')) twoByte = false;
    if (kind == '$' && (set == 'B' || set == '@')) twoByte = true;
    return 3;
}

std::string Iso2022JpToSjis(std::string_view in) {
    std::string out;
    bool twoByte = false;
    size_t i = 0;
    while (i < in.size()) {
        uint8_t a = ByteAt(in, i);
        if (a == kEsc) {
            i += ApplyEscape(in, i, twoByte);
        } else if (!twoByte) {
            out.push_back(static_cast<char>(a));
            ++i;
        } else if (i + 1 < in.size() && ByteAt(in, i + 1) != kEsc) {
            AppendCode(out, JisToSjis(Pack(a, ByteAt(in, i + 1))));
            i += 2;
        } else {
            ++i; // half a character before an escape or the end
        }
    }
    return out;
}

std::string EucJpToSjis(std::string_view in) {
    std::string out;
    size_t i = 0;
    while (i < in.size()) {
        uint8_t a = ByteAt(in, i);
        if (a < 0x80) {
            out.push_back(static_cast<char>(a));
            ++i;
            continue;
        }
        if (i + 1 >= in.size()) break; // lone lead byte at the end
        uint8_t b = ByteAt(in, i + 1);
        if (a == 0x8E)
            out.push_back(static_cast<char>(b)); // half-width katakana
        else
            AppendCode(out, JisToSjis(Pack(a & 0x7F, b & 0x7F)));
        i += 2;
    }
    return out;
}

// Decodes up to three-byte sequences without validation, as the lead byte says.
std::vector<uint16_t> Utf8ToUnits(std::string_view in) {
    std::vector<uint16_t> units;
    units.reserve(in.size());
    size_t i = 0;
    while (i < in.size()) {
        uint8_t a = ByteAt(in, i);
        size_t count = a >= 0xE0 ? 3 : a >= 0x80 ? 2 : 1;
        if (i + count > in.size()) break; // truncated sequence
        int unit = a;
        if (count == 2) unit = (a & 0x1F) << 6 | (ByteAt(in, i + 1) & 0x3F);
        if (count == 3)
            unit = (a & 0x0F) << 12 | (ByteAt(in, i + 1) & 0x3F) << 6 | (ByteAt(in, i + 2) & 0x3F);
        units.push_back(static_cast<uint16_t>(unit));
        i += count;
    }
    return units;
}

// Little-endian 16-bit units; an odd last byte is half a unit and dropped.
std::vector<uint16_t> Ucs2ToUnits(std::string_view in) {
    std::vector<uint16_t> units(in.size() / 2);
    for (size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<uint16_t>(ByteAt(in, 2 * i) | ByteAt(in, 2 * i + 1) << 8);
    return units;
}

std::string SjisToIso2022Jp(std::string_view in) {
    std::string out;
    bool twoByte = false;
    size_t i = 0;
    while (i < in.size()) {
        uint8_t a = ByteAt(in, i);
        if (a < 0x80) {
            if (twoByte) out += kDesignateJisRoman;
            twoByte = false;
            out.push_back(static_cast<char>(a));
            ++i;
            continue;
        }
        if (i + 1 >= in.size()) break; // lone lead byte at the end
        if (!twoByte) out += kDesignateJis1978;
        twoByte = true;
        AppendCode(out, SjisToJis(Pack(a, ByteAt(in, i + 1))));
        i += 2;
    }
    if (twoByte) out += kDesignateJisRoman;
    return out;
}

std::string SjisToEucJp(std::string_view in) {
    std::string out;
    size_t i = 0;
    while (i < in.size()) {
        uint8_t a = ByteAt(in, i);
        if (a < 0x80) {
            out.push_back(static_cast<char>(a));
            ++i;
        } else if (InRange(a, 0xA0, 0xDF)) {
            out.push_back(static_cast<char>(0x8E));
            out.push_back(static_cast<char>(a));
            ++i;
        } else if (i + 1 < in.size()) {
            AppendCode(out, SjisToJis(Pack(a, ByteAt(in, i + 1))) | 0x8080);
            i += 2;
        } else {
            break; // lone lead byte at the end
        }
    }
    return out;
}

std::string UnitsToUtf8(const std::vector<uint16_t>& units) {
    std::string out;
    out.reserve(units.size() * 3);
    for (uint16_t u : units) {
        if (u < 0x80) {
            out.push_back(static_cast<char>(u));
        } else if (u < 0x800) {
            out.push_back(static_cast<char>(0xC0 | u >> 6));
            out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | u >> 12));
            out.push_back(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
        }
    }
    return out;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

} // namespace

int DetectCharset(const char* bytes, int length) {
    std::string_view text = TextView(bytes, length);
    for (size_t i = 0; i < text.size(); ++i) {
        uint8_t a = ByteAt(text, i);
        if (a == kEsc) return kCharsetIso2022Jp;
        if (a <= 0x80) continue;
        if (i + 1 >= text.size()) return kCharsetAscii;
        int code = DecidePair(a, ByteAt(text, ++i));
        if (code != kNoDecision) return code;
    }
    return kCharsetAscii;
}

std::string ToShiftJis(const char* bytes, int code, int length) {
    switch (code) {
    case kCharsetIso2022Jp:
        return Iso2022JpToSjis(TextView(bytes, length));
    case kCharsetEucJp:
        return EucJpToSjis(TextView(bytes, length));
    case kCharsetUtf8:
        return UnitsToShiftJis(Utf8ToUnits(TextView(bytes, length)));
    case kCharsetUcs2:
        return UnitsToShiftJis(Ucs2ToUnits(TextView(bytes, length)));
    default:
        return std::string(TextView(bytes, length));
    }
}

std::string FromShiftJis(const char* sjis, int code, int length) {
    std::string_view text = TextView(sjis, length);
    switch (code) {
    case kCharsetIso2022Jp:
        return SjisToIso2022Jp(text);
    case kCharsetEucJp:
        return SjisToEucJp(text);
    case kCharsetUtf8:
        return UnitsToUtf8(ShiftJisToUnits(text));
    default:
        return std::string(text);
    }
}

const char* CharsetName(int code) {
    for (const NamedCharset& entry : kNames)
        if (entry.code == code) return entry.name;
    return nullptr;
}

int CharsetFromName(const std::string& name) {
    for (const NamedCharset& entry : kNames)
        if (EqualsIgnoringCase(name, entry.name)) return entry.code;
    return kCharsetUnknownName;
}

uint16_t JisToSjis(uint16_t jis) {
    int j1 = jis >> 8;
    int j2 = jis & 0xFF;
    int s2 = (j1 & 1) ? j2 + 0x1F : j2 + 0x7D;
    if (s2 >= 0x7F) ++s2;
    int s1 = ((j1 - 0x21) >> 1) + 0x81;
    if (s1 > 0x9F) s1 += 0x40;
    return Pack(s1, s2);
}

uint16_t SjisToJis(uint16_t sjis) {
    int s1 = sjis >> 8;
    int s2 = sjis & 0xFF;
    int j1 = 2 * (s1 - (s1 <= 0x9F ? 0x71 : 0xB1)) + 1;
    if (s2 > 0x7F) --s2;
    int j2 = s2 - 0x1F;
    if (s2 >= 0x9E) {
        j2 = s2 - 0x7D;
        ++j1;
    }
    return Pack(j1, j2);
}

int ChooseReadCharset(const char* text, int length, int code, int autoReadCharset,
                      int readCharset) {
    if (code != kCharsetAuto) return code;
    return autoReadCharset ? DetectCharset(text, length) : readCharset;
}

int ChooseWriteCharset(int ownCode, int autoWriteCharset, int writeCharset) {
    return autoWriteCharset ? ownCode : writeCharset;
}

std::string DecodeComment(const char* bytes, int length, int code) {
    std::string text = ToShiftJis(bytes, code, length);
    text.resize(std::min(text.size(), text.find('\0')));
    return text;
}

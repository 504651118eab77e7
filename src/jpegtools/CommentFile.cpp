#include "jpegtools/CommentFile.h"

#include "base/ReportError.h"
#include "jpegtools/Charset.h"
#include "jpegtools/CodePage.h"
#include "jpegtools/DefaultComment.h"

#include <algorithm>
#include <fstream>

namespace {

constexpr size_t kMaxCommentFile = 1 << 20; // far beyond what a COM segment can hold
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr uint16_t kUndecodable = 0xFFFD;
constexpr const char* kNoCharset = "文字コードを判別できないため、コメントに読み込めません";

std::optional<std::vector<uint16_t>> Utf8Units(std::string_view text) {
    Iconv toUnits("UTF-16LE", "UTF-8");
    const Iconv::Result result = toUnits.Convert(text, 1, "\xFD\xFF");
    if (!toUnits.IsOpen() || result.replaced > 0) return std::nullopt;
    std::vector<uint16_t> units(result.bytes.size() / 2);
    for (size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<uint16_t>(static_cast<uint8_t>(result.bytes[2 * i]) |
                                         static_cast<uint8_t>(result.bytes[2 * i + 1]) << 8);
    return units;
}

// Text in one of the Japanese codes, through Shift_JIS; nothing when a character is not valid.
std::optional<std::vector<uint16_t>> JapaneseUnits(const std::string& text, int code) {
    const int length = static_cast<int>(text.size());
    const std::string sjis = code == kCharsetIso2022Jp || code == kCharsetEucJp
                                 ? ToShiftJis(text.data(), code, length)
                                 : text;
    std::vector<uint16_t> units = ShiftJisToUnits(sjis, kUndecodable);
    if (std::ranges::find(units, kUndecodable) != units.end()) return std::nullopt;
    return units;
}

} // namespace

std::optional<std::vector<uint16_t>> DecodeCommentFile(const std::string& bytes) {
    if (bytes.starts_with(kUtf8Mark)) return Utf8Units(DefaultCommentLines(bytes.substr(3)));
    const std::string text = DefaultCommentLines(bytes);
    const int code = DetectCharset(text.data(), static_cast<int>(text.size()));
    return code == kCharsetUtf8 ? Utf8Units(text) : JapaneseUnits(text, code);
}

std::optional<std::vector<uint16_t>> ReadCommentFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        ReportErrorId("LoadComment", path, StringId::CannotOpen);
        return std::nullopt;
    }
    std::string bytes(kMaxCommentFile, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<size_t>(in.gcount()));
    std::optional<std::vector<uint16_t>> units = DecodeCommentFile(bytes);
    if (!units) ReportError("LoadComment", path, kNoCharset);
    return units;
}

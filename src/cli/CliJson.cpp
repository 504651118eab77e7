#include "cli/CliJson.h"

#include "core/ImageDoc.h"
#include "jpegtools/Charset.h"
#include "jpegtools/ExifSummary.h"
#include "jpegtools/MarkerNode.h"

#include <cstdio>

using nlohmann::json;

namespace {

std::string Hex(const std::string& bytes) {
    static const char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned char byte : bytes) {
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 15];
    }
    return hex;
}

// Well-formed UTF-8: shortest forms, no surrogates, nothing above U+10FFFF.
bool IsUtf8(const std::string& text) {
    for (size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        const size_t length = lead < 0x80   ? 1
                              : lead < 0xC2 ? 0
                              : lead < 0xE0 ? 2
                              : lead < 0xF0 ? 3
                              : lead < 0xF5 ? 4
                                            : 0;
        if (length == 0 || i + length > text.size()) return false;
        const unsigned char second = length > 1 ? static_cast<unsigned char>(text[i + 1]) : 0x80;
        if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) ||
            (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F))
            return false;
        for (size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        i += length;
    }
    return true;
}

// The comment's stored bytes when its UTF-8 text does not give them back: those the reader kept,
// or the text in its charset when the conversion to UTF-8 lost something. Empty when exact.
std::string UndecodedBytes(const CommentItem& item) {
    if (!item.undecoded.empty()) return item.undecoded;
    const std::string utf8 = Utf8Of(item.text);
    if (IsUtf8(utf8) &&
        ToShiftJis(utf8.data(), kCharsetUtf8, static_cast<int>(utf8.size())) == item.text)
        return "";
    return FromShiftJis(item.text.data(), item.charset, static_cast<int>(item.text.size()));
}

json CommentJson(const CommentItem& item, bool current) {
    const char* name = CharsetName(item.charset);
    json object = {{"key", item.key},
                   {"charset", item.charset},
                   {"charsetName", name ? name : ""},
                   {"text", Utf8Of(item.text)},
                   {"current", current}};
    const std::string undecoded = UndecodedBytes(item);
    if (!undecoded.empty()) object["bytes"] = Hex(undecoded);
    return object;
}

} // namespace

std::string Utf8Of(const std::string& sjis) {
    return FromShiftJis(sjis.data(), kCharsetUtf8, static_cast<int>(sjis.size()));
}

json PathJson(const std::string& path) {
    json object = {{"path", path}};
    if (!IsUtf8(path)) object["path_bytes"] = Hex(path);
    return object;
}

json ExifJson(const CIfdReader& reader, bool english) {
    json lines = json::array(), tags = json::array();
    for (const std::string& line :
         ExifSummaryLines(reader, english ? kSummaryEnglish : kSummaryJapanese))
        lines.push_back(Utf8Of(line));
    for (const CIfdEntry& entry : reader.Entries())
        tags.push_back({{"tag", entry.Tag()}, {"type", entry.Type()}, {"count", entry.Count()}});
    return {{"lines", lines}, {"tags", tags}};
}

DescribedFile DescribedDocument(const CImageDoc& document) {
    DescribedFile file{document.InfoText(),
                       document.ImageWidth(),
                       document.ImageHeight(),
                       document.Facts().fileSize,
                       {},
                       document.CurrentComment(),
                       document.Facts().exif.Reader()};
    for (const auto& item : document.Comments())
        file.comments.push_back(item.get());
    return file;
}

DescribedFile DescribedFacts(const ImageFacts& facts, int width, int height) {
    DescribedFile file{facts.description,  width, height, facts.fileSize, {}, nullptr,
                       facts.exif.Reader()};
    for (const CommentItem& item : facts.comments)
        file.comments.push_back(&item);
    if (facts.currentComment >= 0) file.current = file.comments[facts.currentComment];
    return file;
}

json DescribedJson(const std::string& path, const DescribedFile& file) {
    json comments = json::array();
    for (const CommentItem* item : file.comments)
        comments.push_back(CommentJson(*item, item == file.current));
    json object = PathJson(path);
    object.update({{"description", file.description},
                   {"width", file.width},
                   {"height", file.height},
                   {"fileSize", file.fileSize},
                   {"comments", comments}});
    if (file.exif) object["exif"] = ExifJson(*file.exif, false);
    return object;
}

json MarkerNodeJson(const MarkerNode& node) {
    json children = json::array();
    for (const MarkerNode& child : node.children)
        children.push_back(MarkerNodeJson(child));
    return {{"text", Utf8Of(node.text)},
            {"offset", node.offset},
            {"size", node.count},
            {"children", children}};
}

void PrintJsonLine(const json& object) {
    // Bytes that are not UTF-8 (a comment in an unknown charset) are replaced, not fatal.
    std::printf("%s\n", object.dump(-1, ' ', false, json::error_handler_t::replace).c_str());
}

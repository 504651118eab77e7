#include "cli/CliJson.h"

#include "core/ImageDoc.h"
#include "jpegtools/Charset.h"
#include "jpegtools/ExifSummary.h"
#include "jpegtools/MarkerNode.h"

#include <cstdio>

using nlohmann::json;

std::string Utf8Of(const std::string& sjis) {
    return FromShiftJis(sjis.data(), kCharsetUtf8, static_cast<int>(sjis.size()));
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

json DocumentJson(const std::string& path, const CImageDoc& document) {
    json comments = json::array();
    for (const auto& item : document.Comments())
        comments.push_back({{"key", item->key},
                            {"charset", item->charset},
                            {"text", Utf8Of(item->text)},
                            {"current", item.get() == document.CurrentComment()}});
    json object = {{"path", path},
                   {"description", document.InfoText()},
                   {"width", document.ImageWidth()},
                   {"height", document.ImageHeight()},
                   {"fileSize", document.Facts().fileSize},
                   {"comments", comments}};
    if (const CIfdReader* exif = document.Facts().exif.Reader())
        object["exif"] = ExifJson(*exif, false);
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

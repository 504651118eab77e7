// markers [--hex] FILE: the marker inspector's tree of a JPEG or PNG file.
#include "app/util/StringTable.h"
#include "cli/CliCommand.h"
#include "cli/CliJson.h"
#include "cli/CliReports.h"
#include "cli/PngChunkCrc.h"
#include "jpegtools/MarkerTreeModel.h"

#include <cerrno>
#include <cstdio>

namespace {

void PrintNode(const MarkerNode& node, int depth) {
    std::printf("%*s%s\n", depth * 2, "", DisplayText(node).c_str());
    for (const MarkerNode& child : node.children)
        PrintNode(child, depth + 1);
}

// The hex lines of an item one level in, without their line ends and trailing space.
void PrintHexLines(const std::string& hex) {
    size_t start = 0;
    while (start < hex.size()) {
        size_t end = hex.find("\r\n", start);
        if (end == std::string::npos) end = hex.size();
        size_t last = end;
        while (last > start && hex[last - 1] == ' ')
            --last;
        std::printf("  %.*s\n", static_cast<int>(last - start), hex.data() + start);
        start = end + 2;
    }
}

// Whether the file starts as a JPEG (SOI) or a PNG (signature) does; reported when not.
bool IsJpegOrPng(const std::string& path) {
    static const unsigned char kPng[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    CliReports().BeginFile(path);
    std::string head;
    if (!ReadWholeFile(path, head, sizeof kPng)) {
        ReportCliFailure(path, "JpegMarker:" + LoadString(StringId::CannotOpen), errno);
        return false;
    }
    if (head.compare(0, 2, "\xFF\xD8") == 0 ||
        head.compare(0, sizeof kPng, reinterpret_cast<const char*>(kPng), sizeof kPng) == 0)
        return true;
    ReportCliFailure(path, "markers:not a JPEG or PNG file");
    return false;
}

} // namespace

int RunMarkersCommand(SettingsStore&, const CliArgs& arguments) {
    CliArgs args = arguments;
    const bool hex = TakeFlag(args, "--hex");
    const bool json = TakeFlag(args, "--json");
    if (!FinishOptions(args, "markers")) return kExitUsage;
    if (args.size() != 1) return UsageError("markers: give exactly one FILE");
    if (!IsJpegOrPng(args[0])) return kExitFailed;
    CMarkerTreeModel model;
    if (!model.Load(args[0])) return kExitFailed;
    const std::vector<bool> crcMatches =
        model.IsPng() ? CheckPngChunkCrcs(args[0]) : std::vector<bool>();
    bool crcError = false;
    nlohmann::json items = nlohmann::json::array();
    for (size_t item = 0; item < model.ItemCount(); ++item) {
        const MarkerNode& node = model.Item(item);
        const bool badCrc = item < crcMatches.size() && !crcMatches[item];
        crcError = crcError || badCrc;
        if (json) {
            items.push_back(MarkerNodeJson(node));
            items.back()["crcError"] = badCrc;
            continue;
        }
        std::printf("%s%s\n", DisplayText(node).c_str(), badCrc ? " CRC error" : "");
        if (hex) PrintHexLines(model.HexText(item));
        for (const MarkerNode& child : node.children)
            PrintNode(child, 1);
    }
    if (json) PrintJsonLine({{"path", args[0]}, {"markers", items}});
    if (crcError) ReportCliFailure(args[0], "markers:CRC error");
    return crcError ? kExitFailed : kExitOk;
}

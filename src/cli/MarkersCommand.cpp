// markers [--hex] [--json] FILE...: the marker inspector's tree of a JPEG or PNG file.
#include "base/StringTable.h"
#include "cli/CliCommand.h"
#include "cli/CliJson.h"
#include "cli/CliReports.h"
#include "cli/PngChunkCrc.h"
#include "jpegtools/MarkerTreeModel.h"

#include <cerrno>
#include <cstdio>

namespace {

// With several files each line starts with the file's path and ": ".
void PrintLine(const std::string& prefix, const std::string& text) {
    std::printf("%s%s\n", prefix.c_str(), text.c_str());
}

void PrintNode(const std::string& prefix, const MarkerNode& node, int depth) {
    PrintLine(prefix, std::string(depth * 2, ' ') + DisplayText(node));
    for (const MarkerNode& child : node.children)
        PrintNode(prefix, child, depth + 1);
}

// The hex lines of an item one level in, without their line ends and trailing space.
void PrintHexLines(const std::string& prefix, const std::string& hex) {
    size_t start = 0;
    while (start < hex.size()) {
        size_t end = hex.find("\r\n", start);
        if (end == std::string::npos) end = hex.size();
        size_t last = end;
        while (last > start && hex[last - 1] == ' ')
            --last;
        PrintLine(prefix, "  " + hex.substr(start, last - start));
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

struct MarkersOutput {
    bool hex = false;
    bool json = false;
    std::string prefix;
};

// Shows one file's tree; false (reported) when it cannot be read or a PNG chunk's CRC is wrong.
bool ShowMarkers(const std::string& path, const MarkersOutput& output) {
    if (!IsJpegOrPng(path)) return false;
    CMarkerTreeModel model;
    if (!model.Load(path)) return false;
    const std::vector<bool> crcMatches =
        model.IsPng() ? CheckPngChunkCrcs(path) : std::vector<bool>();
    bool crcError = false;
    nlohmann::json items = nlohmann::json::array();
    for (size_t item = 0; item < model.ItemCount(); ++item) {
        const MarkerNode& node = model.Item(item);
        const bool badCrc = item < crcMatches.size() && !crcMatches[item];
        crcError = crcError || badCrc;
        if (output.json) {
            items.push_back(MarkerNodeJson(node));
            items.back()["crcError"] = badCrc;
            continue;
        }
        PrintLine(output.prefix, DisplayText(node) + (badCrc ? " CRC error" : ""));
        if (output.hex) PrintHexLines(output.prefix, model.HexText(item));
        for (const MarkerNode& child : node.children)
            PrintNode(output.prefix, child, 1);
    }
    if (output.json) {
        nlohmann::json object = PathJson(path);
        object["markers"] = items;
        PrintJsonLine(object);
    }
    if (crcError) ReportCliFailure(path, "markers:CRC error");
    return !crcError;
}

} // namespace

int RunMarkersCommand(SettingsStore&, const CliArgs& arguments) {
    CliArgs args = arguments;
    MarkersOutput output;
    output.hex = TakeFlag(args, "--hex");
    output.json = TakeFlag(args, "--json");
    if (!FinishOptions(args, "markers")) return kExitUsage;
    if (args.empty()) return UsageError("markers: give at least one FILE");
    int status = kExitOk;
    for (const std::string& path : args) {
        output.prefix = args.size() > 1 ? path + ": " : "";
        if (!ShowMarkers(path, output)) status = kExitFailed;
    }
    return status;
}

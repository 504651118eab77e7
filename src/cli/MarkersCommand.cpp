// markers [--hex] FILE: the marker inspector's tree of a JPEG or PNG file.
#include "cli/CliCommand.h"
#include "jpegtools/MarkerTreeModel.h"

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

} // namespace

int RunMarkersCommand(SettingsStore&, const CliArgs& arguments) {
    CliArgs args = arguments;
    const bool hex = TakeFlag(args, "--hex");
    if (args.size() != 1) return UsageError("markers: give exactly one FILE");
    CMarkerTreeModel model;
    if (!model.Load(args[0])) return kExitFailed;
    for (size_t item = 0; item < model.ItemCount(); ++item) {
        const MarkerNode& node = model.Item(item);
        std::printf("%s\n", DisplayText(node).c_str());
        if (hex) PrintHexLines(model.HexText(item));
        for (const MarkerNode& child : node.children)
            PrintNode(child, 1);
    }
    return kExitOk;
}

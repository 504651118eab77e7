// The marker inspector's tree over arbitrary bytes, split both as a JPEG and as a PNG file:
// every node must lie inside its segment's bytes and every hex text must match them.
#include "JpegMutator.h"
#include "jpegtools/MarkerTreeModel.h"
#include "jpegtools/SegmentHexText.h"

#include <cstdint>
#include <cstdio>

namespace {

constexpr size_t kMaxInput = 1 << 18;

void CheckNode(const MarkerNode& node, size_t segmentSize) {
    if (node.offset > segmentSize || node.count > segmentSize - node.offset) __builtin_trap();
    for (const MarkerNode& child : node.children)
        CheckNode(child, segmentSize);
}

void Inspect(const uint8_t* data, size_t size, const char* name) {
    CMarkerTreeModel model;
    if (!model.LoadStream(fmemopen(const_cast<uint8_t*>(data), size, "rb"), name)) return;
    for (size_t item = 0; item < model.ItemCount(); ++item) {
        const std::string hex = model.HexText(item);
        const std::vector<uint8_t> bytes = ParseHexText(hex);
        const MarkerNode& node = model.Item(item);
        // Data stretches and IDAT chunks hold no bytes; their nodes stand for none.
        if (hex == "(scan data...)") {
            if (node.count != 0 || !node.children.empty()) __builtin_trap();
            continue;
        }
        if (hex.size() != bytes.size() * 3 + (bytes.size() + 15) / 16 * 2) __builtin_trap();
        CheckNode(node, bytes.size());
        HexSelection(node.offset, node.count, hex.size());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0 || size > kMaxInput) return 0;
    Inspect(data, size, "input.jpg");
    Inspect(data, size, "input.png");
    return 0;
}

extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* data, size_t size, size_t maxSize,
                                          unsigned seed) {
    return MutateJpegInput(data, size, maxSize, seed, 0);
}
